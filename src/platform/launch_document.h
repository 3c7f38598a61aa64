#pragma once
// Opening a document or web address with the desktop's default program, and the words shown when
// that is impossible. The result codes follow the shell's convention, so one message table serves
// every platform: above 32 the document is opening; 2 the file does not exist; 8 out of memory;
// 31 no program is associated with the type; anything else is a failure without further words.
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace qv {

class MessageService;

inline constexpr int kLaunchFileNotFound = 2;
inline constexpr int kLaunchOutOfMemory = 8;
inline constexpr int kLaunchNoAssociation = 31;
inline constexpr int kLaunchFailed = 0;      // a failure the service does not explain
inline constexpr int kLaunchSucceeded = 33;  // any code above 32 is a success

// The extension of the path's last element (after the last '/' or '\'), without the point and
// lower-cased when asked; empty when that element has no point.
std::string FileExtension(std::string_view path, bool lowerCase);

// Hands `target` (a web address, a file:// address or a local path) to the desktop and returns
// the code above. A local file that does not exist gives 2; when xdg-mime is installed, a type or
// address scheme without a default program gives 31 before anything is started.
int OpenDocumentCode(const std::string& target);

// The message for a failed launch with `code`, naming `extension` for code 31. English always.
std::string LaunchFailureMessage(int code, std::string_view extension);

// The title of that message box.
inline constexpr std::string_view kLaunchFailureTitle = "Cannot launch web browser";

// What opens a target and returns its code; OpenDocumentCode by default.
using DocumentOpener = std::function<int(const std::string& target)>;

// Replaces the opener that LaunchDocument uses from now on (an empty function restores
// OpenDocumentCode) and returns the one it replaces. Tests use it so that no program is started.
DocumentOpener SetDocumentOpener(DocumentOpener opener);

// Opens `target`; on failure shows the warning box "Cannot launch web browser" over `parent`.
void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent);

// The same with an explicit opener.
void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent,
                    const DocumentOpener& opener);

}  // namespace qv
