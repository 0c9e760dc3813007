#include "platform/ui/mesaj.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

Q_DECLARE_METATYPE(ui::Answer)
Q_DECLARE_METATYPE(ui::Buttons)

// A presenter that remembers what it was asked.
class FakePresenter : public ui::Presenter
{
public:
    inline static QList<ui::MessageRequest> asked;
    inline static QList<ui::FileRequest> files;
    Answer message(const ui::MessageRequest& r) override
    {
        asked.append(r);
        return Answer::Yes;
    }
    QString fileName(const ui::FileRequest& r) override
    {
        files.append(r);
        return u"/ales.xls"_s;
    }
    std::optional<ui::Colour> colour(std::optional<ui::Colour> initial) override { return initial; }
};

class TestMesaj : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ui::testing::setEnabled(true);
        ui::testing::clear();
    }
    void cleanup()
    {
        ui::testing::clear();
        ui::testing::setEnabled(false);
        ui::setPresenter(nullptr);
    }

    void recordsEveryPartOfTheBox()
    {
        ui::msgBox(u"Salvati ?"_s, Icon::Question, Buttons::YesNoCancel, u"Mesaj"_s,
                   ui::DefaultButton::Second);
        QCOMPARE(ui::testing::calls().size(), 1);
        const ui::testing::Call c = ui::testing::calls().first();
        QCOMPARE(c.kind, ui::DialogKind::Message);
        QCOMPARE(c.text, u"Salvati ?"_s);
        QCOMPARE(c.icon, Icon::Question);
        QCOMPARE(c.buttons, Buttons::YesNoCancel);
        QCOMPARE(c.title, std::optional<QString>(u"Mesaj"_s));
        QCOMPARE(c.defaultButton, ui::DefaultButton::Second);
    }

    void noTitleIsNotAnEmptyTitle()
    {
        ui::msgBox(u"a"_s);
        ui::msgBox(u"b"_s, Icon::None, Buttons::Ok, QString());
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 2);
        QVERIFY(!m.at(0).title.has_value());
        QVERIFY(m.at(1).title.has_value());
        QCOMPARE(*m.at(1).title, QString());

        const ui::MessageRequest untitled{u"a"_s, Icon::None, Buttons::Ok, std::nullopt,
                                          ui::DefaultButton::First};
        const ui::MessageRequest empty{u"b"_s, Icon::None, Buttons::Ok, QString(), ui::DefaultButton::First};
        QCOMPARE(untitled.caption(), u"Quorvel"_s);
        QCOMPARE(empty.caption(), QString());
    }

    void scriptedAnswersInOrder_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<QList<Answer>>("script");
        QTest::addColumn<QList<Answer>>("expected");
        QTest::newRow("yes then no") << Buttons::YesNo << QList<Answer>{Answer::Yes, Answer::No}
                                     << QList<Answer>{Answer::Yes, Answer::No};
        QTest::newRow("queue runs dry: default No")
            << Buttons::YesNo << QList<Answer>{Answer::Yes} << QList<Answer>{Answer::Yes, Answer::No};
        QTest::newRow("cancel of three") << Buttons::YesNoCancel << QList<Answer>{Answer::Cancel}
                                         << QList<Answer>{Answer::Cancel, Answer::No};
        QTest::newRow("ok box: default Ok")
            << Buttons::Ok << QList<Answer>{} << QList<Answer>{Answer::Ok, Answer::Ok};
        QTest::newRow("answer the box has not")
            << Buttons::OkCancel << QList<Answer>{Answer::Yes} << QList<Answer>{Answer::Ok, Answer::Ok};
    }
    void scriptedAnswersInOrder()
    {
        QFETCH(Buttons, buttons);
        QFETCH(QList<Answer>, script);
        QFETCH(QList<Answer>, expected);
        for (Answer a : script)
            ui::testing::pushAnswer(a);
        if (QTest::currentDataTag() == QByteArray("answer the box has not"))
            QTest::ignoreMessage(QtWarningMsg, "scripted answer 6 does not fit the buttons of the box");
        QList<Answer> got;
        for (qsizetype i = 0; i < expected.size(); ++i)
            got.append(ui::msgBox(u"?"_s, Icon::Question, buttons));
        QCOMPARE(got, expected);
        QCOMPARE(ui::testing::pendingAnswers(), 0);
        // Each call is recorded with the answer it gave.
        QCOMPARE(ui::testing::calls().size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(ui::testing::calls().at(i).answer, expected.at(i));
    }

    void fileDialogsTakeTheirOwnQueue()
    {
        ui::testing::pushFileName(u"/date/import.xls"_s);
        ui::testing::pushAnswer(Answer::Yes);
        const QString filter = u"Fisiere Excel (*.xls)|*.xls|Toate (*.*)|*.*"_s;
        QCOMPARE(ui::openFileName(u"Deschide"_s, u"/date"_s, filter), u"/date/import.xls"_s);
        QCOMPARE(ui::msgBox(u"Continuati ?"_s, Icon::Question, Buttons::YesNo), Answer::Yes);
        QCOMPARE(ui::saveFileName(u"Salveaza"_s, u"/tmp"_s, filter), QString()); // queue empty: cancelled
        QCOMPARE(ui::chooseFolder(u"Director"_s, u"/tmp"_s), QString());
        QCOMPARE(ui::chooseColor(0xC0FFFF), std::nullopt);
        ui::testing::pushColour(0x00FF00u);
        QCOMPARE(ui::chooseColor(), std::optional<ui::Colour>(0x00FF00u));

        const QList<ui::testing::Call>& c = ui::testing::calls();
        QCOMPARE(c.size(), 6);
        QCOMPARE(c.at(0).kind, ui::DialogKind::OpenFile);
        QCOMPARE(c.at(0).text, u"Deschide"_s);
        QCOMPARE(c.at(0).dir, u"/date"_s);
        QCOMPARE(c.at(0).filter, filter);
        QCOMPARE(c.at(0).fileName, u"/date/import.xls"_s);
        QCOMPARE(c.at(2).kind, ui::DialogKind::SaveFile);
        QCOMPARE(c.at(3).kind, ui::DialogKind::Folder);
        QCOMPARE(c.at(4).kind, ui::DialogKind::Colour);
        QCOMPARE(ui::testing::messages().size(), 1);
    }

    void clearForgetsRecordAndQueues()
    {
        ui::testing::pushAnswer(Answer::Yes);
        ui::testing::pushFileName(u"x"_s);
        ui::msgBox(u"a"_s, Icon::None, Buttons::Ok); // takes the Yes, which does not fit: answered Ok
        ui::testing::clear();
        QVERIFY(ui::testing::calls().isEmpty());
        QCOMPARE(ui::testing::pendingAnswers(), 0);
        QCOMPARE(ui::testing::pendingFileNames(), 0);
    }

    void presenterOutsideTestMode()
    {
        ui::testing::setEnabled(false);
        ui::setPresenter(new FakePresenter);
        FakePresenter::asked.clear();
        FakePresenter::files.clear();
        QCOMPARE(ui::msgBox(u"Text"_s, Icon::Exclamation, Buttons::YesNo), Answer::Yes);
        QCOMPARE(ui::openFileName(u"c"_s, u"d"_s, u"f"_s), u"/ales.xls"_s);
        QCOMPARE(FakePresenter::asked.size(), 1);
        QCOMPARE(FakePresenter::asked.first().icon, Icon::Exclamation);
        QVERIFY(!FakePresenter::asked.first().title);
        QCOMPARE(FakePresenter::files.first().kind, ui::DialogKind::OpenFile);
        QVERIFY(ui::testing::calls().isEmpty());
    }

    void noPresenterGivesTheDefault_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<Answer>("expected");
        QTest::newRow("ok") << Buttons::Ok << Answer::Ok;
        QTest::newRow("ok cancel") << Buttons::OkCancel << Answer::Ok;
        QTest::newRow("yes no") << Buttons::YesNo << Answer::No;
        QTest::newRow("yes no cancel") << Buttons::YesNoCancel << Answer::No;
        QTest::newRow("retry cancel") << Buttons::RetryCancel << Answer::Cancel;
    }
    void noPresenterGivesTheDefault()
    {
        QFETCH(Buttons, buttons);
        QFETCH(Answer, expected);
        ui::testing::setEnabled(false);
        QCOMPARE(ui::msgBox(u"pe consola"_s, Icon::Information, buttons), expected);
        QCOMPARE(ui::openFileName(u"c"_s, u"d"_s, u"f"_s), QString());
    }

    void scopeSwitchesTestModeOnAndOff()
    {
        ui::testing::setEnabled(false);
        ui::testing::pushAnswer(Answer::Yes);
        {
            ui::testing::Scope scope;
            QVERIFY(ui::testing::enabled());
            QCOMPARE(ui::testing::pendingAnswers(), 0); // starts clean
            ui::msgBox(u"x"_s);
            QCOMPARE(ui::testing::calls().size(), 1);
        }
        QVERIFY(!ui::testing::enabled());
        QVERIFY(ui::testing::calls().isEmpty());
    }

    void qtFilter_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        QTest::newRow("windows form, order kept")
            << u"Fisiere Excel (*.xls)|*.xls|Toate (*.*)|*.*"_s << u"Fisiere Excel (*.xls);;Toate (*)"_s;
        QTest::newRow("caption without patterns") << u"Text|*.txt"_s << u"Text (*.txt)"_s;
        QTest::newRow("several patterns") << u"Excel|*.xls;*.xlsx"_s << u"Excel (*.xls *.xlsx)"_s;
        QTest::newRow("qt form unchanged") << u"XML (*.xml);;Toate (*)"_s << u"XML (*.xml);;Toate (*)"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void qtFilter()
    {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        QCOMPARE(ui::qtFilter(given), expected);
    }
};

QTEST_GUILESS_MAIN(TestMesaj)
#include "tst_mesaj.moc"
