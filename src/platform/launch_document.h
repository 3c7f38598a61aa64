#pragma once
// Opening a document or web address with the desktop's default program, and the words shown when
// that is impossible. The result codes follow the shell's convention, so one message table serves
// every platform: above 32 the document is opening; 2 the file does not exist; 8 out of memory;
// 31 no program is associated with the type; anything else is a failure without further words.
// After those words the message says, in this program's own words, why it failed on this desktop
// and names the address, so that the user can open it by hand.
#include <functional>
#include <optional>
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

// Why a launch failed, as far as the desktop lets us tell.
enum class LaunchReason {
  Opened,            // the desktop is opening it
  FileMissing,       // a local file that does not exist; detail: its path
  NoBrowser,         // no default program for http or https addresses; detail: the scheme
  NoProgramForType,  // no default program for the file's type; detail: the MIME type
  NoProgramForScheme,  // no default program for another address scheme (mailto ...); detail: it
  NoOpener,          // nothing opened it and xdg-open, which opens documents, is not installed
  InvalidAddress,    // the target is not a valid address
  OpenFailed,        // the desktop did not open it and does not say why
};

struct LaunchOutcome {
  int code = kLaunchSucceeded;
  LaunchReason reason = LaunchReason::Opened;
  std::string detail;  // what the reason names (see LaunchReason)
};

// The facts about this desktop that decide an outcome. SystemDesktop() asks the real one; tests
// supply their own, so that no program is started.
struct DesktopProbe {
  std::function<bool(const std::string& path)> fileExists;
  // The MIME type of an existing local file ("text/html").
  std::function<std::string(const std::string& path)> mimeTypeOfFile;
  // Whether the desktop names a default program for a MIME type or "x-scheme-handler/<scheme>";
  // no answer when it cannot tell (xdg-mime missing or silent).
  std::function<std::optional<bool>(const std::string& type)> hasDefaultProgram;
  // Whether a program of that name is found in PATH.
  std::function<bool(const std::string& program)> isInstalled;
  // Hands a URL (in its encoded form) to the desktop; false when nothing could be started.
  std::function<bool(const std::string& url)> openUrl;
};

// The probe of this desktop: QFileInfo, QMimeDatabase, `xdg-mime query default`, PATH and
// QDesktopServices::openUrl.
DesktopProbe SystemDesktop();

// How FileExtension gives the letters of the extension.
enum class LetterCase { AsWritten, Lower };

// The extension of the path's last element (after the last '/' or '\'), without the point and
// in `letters`; empty when that element has no point.
std::string FileExtension(std::string_view path, LetterCase letters);

// Hands `target` (a web address, a file:// address or a local path) to the desktop. A local file
// that does not exist gives 2; a type or address scheme without a default program gives 31
// before anything is started; when opening fails, a missing xdg-open gives 31 as well (nothing
// is associated with anything), any other failure 0.
LaunchOutcome OpenDocument(const std::string& target, const DesktopProbe& desktop);

// OpenDocument on this desktop, the code only.
int OpenDocumentCode(const std::string& target);

// The message for a failed launch with `code`, naming `extension` for code 31. English always.
std::string LaunchFailureMessage(int code, std::string_view extension);

// One sentence saying why the launch failed; empty for a launch that did not fail.
std::string LaunchFailureReason(const LaunchOutcome& outcome);

// The whole text of the warning box: the message for the code, then the reason, then the address
// to open by hand. English, as the message is.
std::string LaunchFailureText(std::string_view target, const LaunchOutcome& outcome);

// The title of that message box.
inline constexpr std::string_view kLaunchFailureTitle = "Cannot launch web browser";

// What opens a target; OpenDocument on SystemDesktop() by default.
using DocumentOpener = std::function<LaunchOutcome(const std::string& target)>;

// Replaces the opener that LaunchDocument uses from now on (an empty function restores the
// default) and returns the one it replaces. Tests use it so that no program is started.
DocumentOpener SetDocumentOpener(DocumentOpener opener);

// Opens `target`; on failure shows the warning box "Cannot launch web browser" over `parent`. The
// box is posted to the event loop, as the call usually comes from inside a click or key event of
// a link; `messages` must live until it has been shown (the window that owns it is `parent`, and
// a box for a parent that is gone is not shown).
void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent);

// The same with an explicit opener.
void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent,
                    const DocumentOpener& opener);

}  // namespace qv
