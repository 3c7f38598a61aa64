// Launching documents: the extension rule, the exact failure messages, how the state of the
// desktop becomes a code and a reason, the one warning box on a failed launch (posted, with the
// reason and the address), the codes for missing files, and where the documentation links lead.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <optional>
#include <string>

#include "lang/general_texts.h"
#include "message_recorder.h"
#include "platform/documentation_links.h"
#include "platform/launch_document.h"

namespace {

// Writes an empty index.html under `root`/`relative`.
void MakeManual(const QString& root, const QString& relative) {
  const QString path = root + QLatin1Char('/') + relative + QStringLiteral("/index.html");
  QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}

QString FileUrl(const QString& path, const QString& fragment = {}) {
  QUrl url = QUrl::fromLocalFile(QDir::cleanPath(path));
  if (!fragment.isEmpty()) url.setFragment(fragment);
  return url.toString(QUrl::FullyEncoded);
}

}  // namespace

class LaunchDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void fileExtension_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("extension");
    QTest::newRow("web address, lower-cased") << "https://example.org/quorvan/Manual.HTM" << true << "htm";
    QTest::newRow("kept as written") << "https://example.org/quorvan/Manual.HTM" << false << "HTM";
    QTest::newRow("backslash path") << "C:\\Program Files\\Quorvan\\Read.Me.TXT" << true << "txt";
    QTest::newRow("mixed separators") << "docs/manual\\index.Html" << false << "Html";
    QTest::newRow("last point counts") << "/tmp/archive.tar.gz" << true << "gz";
    QTest::newRow("no point") << "/usr/share/doc/readme" << true << "";
    QTest::newRow("trailing point") << "/tmp/notes." << true << "";
    QTest::newRow("point only in a folder") << "/home/a.user/readme" << true << "";
    QTest::newRow("point only in a backslash folder") << "D:\\my.docs\\readme" << true << "";
    QTest::newRow("ends with a separator") << "https://example.org/" << true << "";
    QTest::newRow("hidden file") << "/home/u/.profile" << true << "profile";
    QTest::newRow("bare name") << "index.html" << true << "html";
    QTest::newRow("address with a fragment") << "file:///doc/index.html#about" << true << "html#about";
    QTest::newRow("empty") << "" << true << "";
  }

  void fileExtension() {
    QFETCH(QString, path);
    QFETCH(bool, lower);
    QFETCH(QString, extension);
    QCOMPARE(QString::fromStdString(qv::FileExtension(path.toStdString(), lower ? qv::LetterCase::Lower : qv::LetterCase::AsWritten)), extension);
  }

  void failureMessages_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("message");
    QTest::newRow("file not found") << 2 << "htm"
                                    << "Error launching web browser, error code = 2.\r\n\r\nPlease try once more.";
    QTest::newRow("out of memory") << 8 << "htm" << "Error launching web browser, error code = 8.\r\n\r\nOut of memory.";
    QTest::newRow("no association") << 31 << "htm"
                                    << "Error launching web browser, error code = 31.\r\n\r\n"
                                       "File extension 'htm' is not associated with any application program.";
    QTest::newRow("no association, no extension")
        << 31 << "" << "Error launching web browser, error code = 31.\r\n\r\n"
                       "File extension '' is not associated with any application program.";
    QTest::newRow("other code") << 0 << "htm" << "Error launching web browser, error code = 0.";
    QTest::newRow("another code") << 5 << "" << "Error launching web browser, error code = 5.";
    QTest::newRow("negative code") << -1 << "" << "Error launching web browser, error code = -1.";
  }

  void failureMessages() {
    QFETCH(int, code);
    QFETCH(QString, extension);
    QFETCH(QString, message);
    QCOMPARE(QString::fromStdString(qv::LaunchFailureMessage(code, extension.toStdString())), message);
  }

  // What the desktop is like decides the code and the reason; nothing is opened once a missing
  // file or a missing default program is known.
  void outcomes_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<int>("hasDefault");  // -1: the desktop cannot tell
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("xdgOpen");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("asked");   // the type the default program was asked for
    QTest::addColumn<QString>("opened");  // the URL handed to the desktop, empty: none
    using R = qv::LaunchReason;
    const QString web = QStringLiteral("https://example.org/quorvan/manual.htm");
    const QString file = QStringLiteral("file:///doc/manual/en/index.html#about");
    QTest::newRow("web address opens") << web << true << 1 << true << true << 33 << int(R::Opened) << ""
                                       << "x-scheme-handler/https" << web;
    QTest::newRow("no browser") << web << true << 0 << true << true << 31 << int(R::NoBrowser) << "https"
                                << "x-scheme-handler/https" << "";
    QTest::newRow("upper-case scheme, no browser")
        << "HTTP://example.org/" << true << 0 << true << true << 31 << int(R::NoBrowser) << "http"
        << "x-scheme-handler/http" << "";
    QTest::newRow("no mail program") << "mailto:quorvan@example.org" << true << 0 << true << true << 31
                                     << int(R::NoProgramForScheme) << "mailto" << "x-scheme-handler/mailto" << "";
    QTest::newRow("cannot tell, opens") << web << true << -1 << true << false << 33 << int(R::Opened) << ""
                                        << "x-scheme-handler/https" << web;
    QTest::newRow("cannot tell, no xdg-open") << web << true << -1 << false << false << 31 << int(R::NoOpener)
                                              << "" << "x-scheme-handler/https" << web;
    QTest::newRow("xdg-open there, fails all the same")
        << web << true << 1 << false << true << 0 << int(R::OpenFailed) << "" << "x-scheme-handler/https" << web;
    QTest::newRow("file opens") << file << true << 1 << true << true << 33 << int(R::Opened) << "" << "text/html"
                                << file;
    QTest::newRow("file missing") << file << false << 1 << true << true << 2 << int(R::FileMissing)
                                  << "/doc/manual/en/index.html" << "" << "";
    QTest::newRow("local path missing") << "/doc/Read Me.txt" << false << 1 << true << true << 2
                                        << int(R::FileMissing) << "/doc/Read Me.txt" << "" << "";
    QTest::newRow("no program for the type") << file << true << 0 << true << true << 31
                                             << int(R::NoProgramForType) << "text/html" << "text/html" << "";
    QTest::newRow("local path opens as an encoded file address")
        << "/doc/Read Me.txt" << true << 1 << true << true << 33 << int(R::Opened) << "" << "text/html"
        << "file:///doc/Read%20Me.txt";
    QTest::newRow("blank") << "  " << true << 1 << true << true << 2 << int(R::InvalidAddress) << "" << "" << "";
  }

  void outcomes() {
    QFETCH(QString, target);
    QFETCH(bool, fileThere);
    QFETCH(int, hasDefault);
    QFETCH(bool, opens);
    QFETCH(bool, xdgOpen);
    QString asked, opened;
    const qv::DesktopProbe desktop{
        .fileExists = [&](const std::string&) { return fileThere; },
        .mimeTypeOfFile = [](const std::string&) { return std::string("text/html"); },
        .hasDefaultProgram =
            [&](const std::string& type) -> std::optional<bool> {
          asked = QString::fromStdString(type);
          if (hasDefault < 0) return std::nullopt;
          return hasDefault == 1;
        },
        .isInstalled = [&](const std::string& program) { return program == "xdg-open" && xdgOpen; },
        .openUrl =
            [&](const std::string& url) {
              opened = QString::fromStdString(url);
              return opens;
            },
    };
    const qv::LaunchOutcome outcome = qv::OpenDocument(target.toStdString(), desktop);
    QTEST(outcome.code, "code");
    QTEST(int(outcome.reason), "reason");
    QTEST(QString::fromStdString(outcome.detail), "detail");
    QTEST(asked, "asked");
    QTEST(opened, "opened");
  }

  // The described message stays as it is; the reason and the address follow it.
  void failureTexts_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("text");
    using R = qv::LaunchReason;
    const QString byHand = QStringLiteral("\r\n\r\nTo open it by hand, copy this address into a web browser:\r\n");
    const QString manual = QStringLiteral("file:///usr/share/doc/quorvan/manual/en/index.html");
    QTest::newRow("file missing")
        << manual << 2 << int(R::FileMissing) << "/usr/share/doc/quorvan/manual/en/index.html"
        << "Error launching web browser, error code = 2.\r\n\r\nPlease try once more.\r\n\r\n"
           "The file does not exist: /usr/share/doc/quorvan/manual/en/index.html" + byHand + manual;
    QTest::newRow("no browser")
        << "https://example.org/quorvan/" << 31 << int(R::NoBrowser) << "https"
        << "Error launching web browser, error code = 31.\r\n\r\n"
           "File extension '' is not associated with any application program.\r\n\r\n"
           "No web browser is installed, or none is set as the default for https addresses." + byHand +
               "https://example.org/quorvan/";
    QTest::newRow("no program for the type")
        << manual << 31 << int(R::NoProgramForType) << "text/html"
        << "Error launching web browser, error code = 31.\r\n\r\n"
           "File extension 'html' is not associated with any application program.\r\n\r\n"
           "No program for files of type text/html is installed, or none is set as the default." + byHand + manual;
    QTest::newRow("no mail program")
        << "mailto:a@example.org" << 31 << int(R::NoProgramForScheme) << "mailto"
        << "Error launching web browser, error code = 31.\r\n\r\n"
           "File extension 'org' is not associated with any application program.\r\n\r\n"
           "No program for mailto: addresses is installed, or none is set as the default." + byHand +
               "mailto:a@example.org";
    QTest::newRow("no xdg-open")
        << manual << 31 << int(R::NoOpener) << ""
        << "Error launching web browser, error code = 31.\r\n\r\n"
           "File extension 'html' is not associated with any application program.\r\n\r\n"
           "No program to open documents and web addresses was found: xdg-open (package xdg-utils) is not "
           "installed." + byHand + manual;
    QTest::newRow("failed without a word")
        << manual << 0 << int(R::OpenFailed) << ""
        << "Error launching web browser, error code = 0.\r\n\r\nThe desktop did not start a program for it." +
               byHand + manual;
    QTest::newRow("invalid address") << "http://[x" << 0 << int(R::InvalidAddress) << "http://[x"
                                     << "Error launching web browser, error code = 0.\r\n\r\n"
                                        "The address is not valid." + byHand + "http://[x";
    QTest::newRow("nothing to open") << "" << 2 << int(R::InvalidAddress) << ""
                                     << "Error launching web browser, error code = 2.\r\n\r\n"
                                        "Please try once more.\r\n\r\nThere is no address to open.";
    QTest::newRow("the opener's own code only") << manual << 8 << int(R::Opened) << ""
                                                << "Error launching web browser, error code = 8.\r\n\r\n"
                                                   "Out of memory." + byHand + manual;
  }

  void failureTexts() {
    QFETCH(QString, target);
    QFETCH(int, code);
    QFETCH(int, reason);
    QFETCH(QString, detail);
    const qv::LaunchOutcome outcome{
        .code = code, .reason = static_cast<qv::LaunchReason>(reason), .detail = detail.toStdString()};
    QTEST(QString::fromStdString(qv::LaunchFailureText(target.toStdString(), outcome)), "text");
  }

  void launchReportsFailuresOnce_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("shown");
    QTest::newRow("success") << "https://example.org/quorvan/manual.htm" << 42 << false;
    QTest::newRow("33 is the first success") << "/tmp/x.htm" << 33 << false;
    QTest::newRow("32 is a failure") << "/tmp/x.htm" << 32 << true;
    QTest::newRow("htm without a program") << "https://example.org/quorvan/manual.HTM" << 31 << true;
    QTest::newRow("missing file") << "/nowhere/manual.html" << 2 << true;
  }

  void launchReportsFailuresOnce() {
    QFETCH(QString, target);
    QFETCH(int, code);
    QFETCH(bool, shown);
    const qv::LaunchOutcome outcome{.code = code, .reason = qv::LaunchReason::OpenFailed, .detail = {}};
    for (const bool throughSetter : {false, true}) {
      qv::test::MessageRecorder messages;
      std::string opened;
      const qv::DocumentOpener opener = [&](const std::string& t) {
        opened = t;
        return outcome;
      };
      if (throughSetter) {
        const qv::DocumentOpener previous = qv::SetDocumentOpener(opener);
        qv::LaunchDocument(target.toStdString(), messages, nullptr);
        qv::SetDocumentOpener(previous);
      } else {
        qv::LaunchDocument(target.toStdString(), messages, nullptr, opener);
      }
      QCOMPARE(QString::fromStdString(opened), target);
      // Never from inside the caller's event: the box comes once the event loop runs.
      QCOMPARE(messages.shown.size(), std::size_t{0});
      QCoreApplication::sendPostedEvents();
      QCOMPARE(messages.shown.size(), std::size_t{shown ? 1u : 0u});
      if (!shown) continue;
      QCOMPARE(messages.shown[0].title, QStringLiteral("Cannot launch web browser"));
      QCOMPARE(messages.shown[0].text, QString::fromStdString(qv::LaunchFailureText(target.toStdString(), outcome)));
      QVERIFY(messages.shown[0].icon == qv::MessageIcon::Warning);
      QVERIFY(messages.shown[0].buttons == qv::MessageButtons::Ok);
    }
  }

  // A box for a window that has closed in the meantime is not shown.
  void noBoxForAClosedWindow() {
    qv::test::MessageRecorder messages;
    auto window = std::make_unique<QWidget>();
    qv::LaunchDocument("/nowhere/manual.html", messages, window.get(), [](const std::string&) {
      return qv::LaunchOutcome{.code = 2, .reason = qv::LaunchReason::FileMissing, .detail = "/nowhere/manual.html"};
    });
    window.reset();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(messages.shown.size(), std::size_t{0});
  }

  // The probe of this machine, with PATH pointing at a folder of stand-ins, so that no real
  // program answers and nothing is opened.
  void systemProbe() {
    QTemporaryDir bin, files;
    QVERIFY(bin.isValid() && files.isValid());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    qv::DesktopProbe desktop = qv::SystemDesktop();
    QVERIFY(!desktop.isInstalled("xdg-open"));
    QVERIFY(!desktop.hasDefaultProgram("text/html").has_value());  // no xdg-mime: cannot tell

    // xdg-mime that knows a program for web pages only.
    QFile xdgMime(bin.filePath(QStringLiteral("xdg-mime")));
    QVERIFY(xdgMime.open(QIODevice::WriteOnly));
    xdgMime.write("#!/bin/sh\n[ \"$1 $2 $3\" = \"query default text/html\" ] && echo browser.desktop\nexit 0\n");
    xdgMime.close();
    QVERIFY(xdgMime.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(desktop.hasDefaultProgram("text/html"), std::optional<bool>(true));
    QCOMPARE(desktop.hasDefaultProgram("text/plain"), std::optional<bool>(false));
    QVERIFY(desktop.isInstalled("xdg-mime"));

    MakeManual(files.path(), QStringLiteral("manual"));
    const QString page = files.filePath(QStringLiteral("manual/index.html"));
    QVERIFY(desktop.fileExists(page.toStdString()));
    QCOMPARE(desktop.mimeTypeOfFile(page.toStdString()), std::string("text/html"));
    QFile notes(files.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    desktop.openUrl = [](const std::string&) { return true; };
    QCOMPARE(qv::OpenDocument(page.toStdString(), desktop).code, qv::kLaunchSucceeded);
    const qv::LaunchOutcome text = qv::OpenDocument(notes.fileName().toStdString(), desktop);
    QCOMPARE(text.code, qv::kLaunchNoAssociation);
    QCOMPARE(text.detail, std::string("text/plain"));
    qputenv("PATH", path);
  }

  // Only targets that cannot start a program are opened for real here.
  void missingFilesAreNotFound() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("no such manual.html"));
    QCOMPARE(qv::OpenDocumentCode(missing.toStdString()), qv::kLaunchFileNotFound);
    QCOMPARE(qv::OpenDocumentCode(FileUrl(missing).toStdString()), qv::kLaunchFileNotFound);
    QCOMPARE(qv::OpenDocumentCode(FileUrl(missing, QStringLiteral("about")).toStdString()), qv::kLaunchFileNotFound);
    QCOMPARE(qv::OpenDocumentCode(""), qv::kLaunchFileNotFound);
    QCOMPARE(qv::OpenDocumentCode("   "), qv::kLaunchFileNotFound);
  }

  void localManualIsFound() {
    QTemporaryDir exe, source;
    QVERIFY(exe.isValid() && source.isValid());
    const QString bin = exe.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    const auto address = [&](qv::Language language, const char* fragment = "") {
      return QString::fromStdString(
          qv::LocalManualAddress(bin.toStdString(), source.path().toStdString(), language, fragment));
    };
    const QString installedEn = exe.filePath(QStringLiteral("share/doc/quorvan/manual/en/index.html"));

    // Nothing shipped: the first English place, so that opening it reports a missing file.
    QCOMPARE(address(qv::Language::German), FileUrl(installedEn));

    MakeManual(source.path(), QStringLiteral("docs/manual/en"));
    QCOMPARE(address(qv::Language::English), FileUrl(source.filePath(QStringLiteral("docs/manual/en/index.html"))));
    QCOMPARE(address(qv::Language::German), address(qv::Language::English));  // no German manual yet

    MakeManual(bin, QStringLiteral("docs/manual/de"));
    QCOMPARE(address(qv::Language::German), FileUrl(bin + QStringLiteral("/docs/manual/de/index.html")));

    MakeManual(exe.path(), QStringLiteral("share/doc/quorvan/manual/en"));
    QCOMPARE(address(qv::Language::English), FileUrl(installedEn));
    QCOMPARE(address(qv::Language::English, "about"), FileUrl(installedEn, QStringLiteral("about")));
    QCOMPARE(address(static_cast<qv::Language>(5)), FileUrl(installedEn));  // any other language reads English
  }

  void defaultAddressesAreTheShippedManual() {
    const QString manual = QString::fromStdString(qv::ManualAddress(qv::Language::English));
    if (!manual.startsWith(QStringLiteral("file://"))) QSKIP("this build points the manual at a web address");
    QVERIFY(manual.endsWith(QStringLiteral("/manual/en/index.html")));
    const QString maker = QString::fromStdString(qv::MakerAddress());
    if (maker.startsWith(QStringLiteral("file://"))) QCOMPARE(maker, manual + QStringLiteral("#about"));
  }
};

QTEST_MAIN(LaunchDocumentTest)
#include "launch_document_qtest.moc"
