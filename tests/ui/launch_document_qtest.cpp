// Launching documents: the extension rule, the exact failure messages, the one warning box on a
// failed launch, the codes for missing files, and where the documentation links lead.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
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
    QCOMPARE(QString::fromStdString(qv::FileExtension(path.toStdString(), lower)), extension);
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

  void launchReportsFailuresOnce_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");  // empty: no message box
    QTest::newRow("success") << "https://example.org/quorvan/manual.htm" << 42 << "";
    QTest::newRow("33 is the first success") << "/tmp/x.htm" << 33 << "";
    QTest::newRow("32 is a failure") << "/tmp/x.htm" << 32 << "Error launching web browser, error code = 32.";
    QTest::newRow("htm without a program")
        << "https://example.org/quorvan/manual.HTM" << 31
        << "Error launching web browser, error code = 31.\r\n\r\n"
           "File extension 'htm' is not associated with any application program.";
    QTest::newRow("missing file") << "/nowhere/manual.html" << 2
                                  << "Error launching web browser, error code = 2.\r\n\r\nPlease try once more.";
  }

  void launchReportsFailuresOnce() {
    QFETCH(QString, target);
    QFETCH(int, code);
    QFETCH(QString, message);
    for (const bool throughSetter : {false, true}) {
      qv::test::MessageRecorder messages;
      std::string opened;
      const qv::DocumentOpener opener = [&](const std::string& t) {
        opened = t;
        return code;
      };
      if (throughSetter) {
        const qv::DocumentOpener previous = qv::SetDocumentOpener(opener);
        qv::LaunchDocument(target.toStdString(), messages, nullptr);
        qv::SetDocumentOpener(previous);
      } else {
        qv::LaunchDocument(target.toStdString(), messages, nullptr, opener);
      }
      QCOMPARE(QString::fromStdString(opened), target);
      if (message.isEmpty()) {
        QCOMPARE(messages.shown.size(), std::size_t{0});
        continue;
      }
      QCOMPARE(messages.shown.size(), std::size_t{1});
      QCOMPARE(messages.shown[0].title, QStringLiteral("Cannot launch web browser"));
      QCOMPARE(messages.shown[0].text, message);
      QVERIFY(messages.shown[0].icon == qv::MessageIcon::Warning);
      QVERIFY(messages.shown[0].buttons == qv::MessageButtons::Ok);
    }
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
