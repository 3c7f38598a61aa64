// Start-up without a usable program-text file: a stop box that says why, and no window.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "message_recorder.h"
#include "ui/main/program_start.h"

using namespace qv;

class ProgramStartTest : public QObject {
  Q_OBJECT

 private slots:
  void failuresAreExplainedInAStopBox_data() {
    QTest::addColumn<QByteArray>("content");  // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("Cannot open file containing program text.\r\n%1");
    QTest::newRow("duplicate") << QByteArray("1|en|Quorvan\n1|en|Again\n")
                               << QStringLiteral("Duplicate in program text at line 2.");
    QTest::newRow("no text") << QByteArray("# only a comment\n") << QStringLiteral("No program text was read.");
    QTest::newRow("missing string") << QByteArray("1|en|Quorvan\n2|en\n") << QStringLiteral("Missing string at line 2.");
  }

  void failuresAreExplainedInAStopBox() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("qrv_e.dat"));
    if (!content.isEmpty()) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    test::MessageRecorder messages;
    ProgramTextStore texts;
    QVERIFY(!LoadProgramTextOrExplain(texts, folder.path().toStdString(), messages));
    QCOMPARE(messages.shown.size(), std::size_t{1});
    QCOMPARE(messages.shown[0].icon, MessageIcon::Stop);
    QVERIFY(messages.shown[0].title.isEmpty());
    QCOMPARE(messages.shown[0].buttons, MessageButtons::Ok);
    QCOMPARE(messages.shown[0].text, message.contains(QLatin1String("%1")) ? message.arg(path) : message);
  }

  void theShippedFileLoadsSilently() {
    test::MessageRecorder messages;
    ProgramTextStore texts;
    QVERIFY(LoadProgramTextOrExplain(texts, qgetenv("QUORVAN_DATA_DIR").toStdString(), messages));
    QVERIFY(messages.shown.empty());
    QCOMPARE(GetProgramText(texts, 1, qv::Language::English), std::string("Quorvan"));
  }
};

QTEST_MAIN(ProgramStartTest)
#include "program_start_qtest.moc"
