// The user's data folder: built under XDG_CONFIG_HOME, created when missing, and an empty path
// (start on defaults, write nothing) when it cannot be created.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <string>

#include "platform/user_data_path.h"

namespace fs = std::filesystem;

class UserDataPathTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir temp_;

  std::string Under(const char* relative) const { return QDir(temp_.path()).filePath(relative).toStdString(); }
  void UseConfigHome(const std::string& path) { qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(path)); }

 private slots:
  void initTestCase() { QVERIFY(temp_.isValid()); }

  void createsTheConfigAndDataFoldersWhenMissing() {
    const std::string config = Under("fresh/config");
    fs::create_directory(Under("fresh"));
    UseConfigHome(config);
    QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), config + "/Quorvan/qrv.usr");
    QVERIFY(fs::is_directory(config + "/Quorvan"));
    // A second start finds the folder and keeps what is in it.
    QFile settings(QString::fromStdString(config + "/Quorvan/qrv.usr"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("0\r\n");
    settings.close();
    QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), config + "/Quorvan/qrv.usr");
    QCOMPARE(settings.size(), qint64{3});
    // No folder name: the file sits in the configuration folder itself.
    QCOMPARE(qv::UserDataFilePath("qrv.usr", ""), config + "/qrv.usr");
  }

  void givesAnEmptyPathWhenTheFolderCannotBeCreated() {
    // Only one level above the data folder is created.
    UseConfigHome(Under("no/such/config"));
    QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), std::string());
    QVERIFY(!fs::exists(Under("no")));
    // A file where the data folder belongs.
    fs::create_directory(Under("blocked"));
    QFile(QString::fromStdString(Under("blocked/Quorvan"))).open(QIODevice::WriteOnly);
    UseConfigHome(Under("blocked"));
    QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), std::string());
    // Read-only parents; /proc refuses new folders even to root.
    UseConfigHome("/proc");
    QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), std::string());
    UseConfigHome("/proc/quorvan-config");
    QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), std::string());
    if (::geteuid() != 0) {
      fs::create_directory(Under("readonly"));
      fs::permissions(Under("readonly"), fs::perms::owner_read | fs::perms::owner_exec);
      UseConfigHome(Under("readonly"));
      QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), std::string());
      fs::permissions(Under("readonly"), fs::perms::owner_all);
    }
  }

  // The XDG rules: only an absolute XDG_CONFIG_HOME counts; otherwise ~/.config, absolute even
  // when HOME is not, so the path holds after the program changes its current folder.
  void aRelativeConfigurationHomeIsIgnored() {
    const QByteArray saved_home = qgetenv("HOME");
    const std::string home = Under("home");
    fs::create_directory(home);
    qputenv("HOME", QByteArray::fromStdString(home));
    const struct {
      const char* xdg;
      std::string folder;
    } cases[] = {
        {"relative/config", home + "/.config"},
        {"./config", home + "/.config"},
        {"", home + "/.config"},
        {"/absolute/config", "/absolute/config"},
    };
    for (const auto& c : cases) {
      qputenv("XDG_CONFIG_HOME", c.xdg);
      QCOMPARE(qv::ConfigurationFolder(), c.folder);
    }
    qputenv("XDG_CONFIG_HOME", "relative");
    QCOMPARE(qv::UserDataFilePath("qrv.usr", "Quorvan"), home + "/.config/Quorvan/qrv.usr");
    // A relative HOME is taken from the current folder, once.
    const QString started_in = QDir::currentPath();
    QDir::setCurrent(temp_.path());
    qputenv("HOME", "home");
    QCOMPARE(qv::ConfigurationFolder(), home + "/.config");
    QDir::setCurrent(started_in);
    qputenv("HOME", saved_home);
  }

  void theFolderOfAFileIsMadeAgain() {
    const std::string folder = Under("again/Quorvan");
    fs::create_directory(Under("again"));
    QVERIFY(qv::EnsureFolderOf(folder + "/qrv.usr"));
    QVERIFY(fs::is_directory(folder));
    QVERIFY(qv::EnsureFolderOf(folder + "/qrv.usr"));  // there already
    QVERIFY(!qv::EnsureFolderOf(Under("gone/Quorvan/qrv.usr")));  // one level only
    QVERIFY(!fs::exists(Under("gone")));
  }

  void folderExistsTrimsBlanks() {
    const std::string folder = temp_.path().toStdString();
    QVERIFY(qv::FolderExists(folder));
    QVERIFY(qv::FolderExists("  " + folder + " \t"));
    QVERIFY(!qv::FolderExists(""));
    QVERIFY(!qv::FolderExists("   "));
    QVERIFY(!qv::FolderExists(folder + "/missing"));
    QFile(QString::fromStdString(Under("plain-file"))).open(QIODevice::WriteOnly);
    QVERIFY(!qv::FolderExists(Under("plain-file")));
  }

  void firstFixedDriveIsTheRoot() { QCOMPARE(qv::FirstFixedDrive(), std::string("/")); }

  // File dialogs for the user's own files: the folder last used while it exists, else the
  // documents folder that user-dirs.dirs names (XDG), else home; never the current folder "/".
  void userFilesOpenWhereTheUserWorks() {
    const QByteArray saved_home = qgetenv("HOME");
    const QByteArray saved_config = qgetenv("XDG_CONFIG_HOME");
    const std::string home = Under("user-home");
    const std::string documents = Under("user-home/Dokumente");
    const std::string config = Under("user-home/.config");
    const std::string last = Under("user-home/Feiertage");
    for (const std::string& folder : {home, documents, config, last}) fs::create_directory(folder);
    qputenv("HOME", QByteArray::fromStdString(home));
    UseConfigHome(config);
    QFile dirs(QString::fromStdString(config + "/user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    dirs.close();
    QCOMPARE(qv::UserFilesFolder(last), last);
    QCOMPARE(qv::UserFilesFolder(""), documents);
    QCOMPARE(qv::UserFilesFolder(Under("user-home/gone")), documents);
    QCOMPARE(qv::UserFilesFolder("relative"), documents);
    fs::remove(documents);
    QCOMPARE(qv::UserFilesFolder(""), home);
    qputenv("HOME", saved_home);
    qputenv("XDG_CONFIG_HOME", saved_config);
  }
};

QTEST_MAIN(UserDataPathTest)
#include "user_data_path_qtest.moc"
