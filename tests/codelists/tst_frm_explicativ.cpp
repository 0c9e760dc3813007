// The explanatory notes window offscreen on the common database of the
// seeded program folder, with notes written by the test: the chapter and
// heading buttons, refused and ignored codes, marking words, printing.
#include "Liste_Test.h"
#include "codelists/Frm_Explicativ.h"
#include "platform/ui/imprimanta.h"
#include "platform/ui/twips.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

const QString kVechi = u"text vechi"_s;

Frm_Explicativ* deschide()
{
    if (!Conexiune_Comun.execute(
            u"INSERT INTO HS_Note_2 VALUES ('01', 'Cai vii. Alti cai, CAI si caine.')"_s) ||
        !Conexiune_Comun.execute(u"INSERT INTO HS_Note_4 VALUES ('0101', 'Pozitia 0101: cai, magari')"_s))
        return nullptr;
    auto* f = ui::Forms::load<Frm_Explicativ>(u"Frm_Explicativ"_s);
    if (f) {
        ui::Forms::show(u"Frm_Explicativ"_s);
        f->Explicativ_Text->setPlainText(kVechi);
    }
    return f;
}

// The words of the notes box shown in blue.
QStringList albastre(QTextEdit* box)
{
    QStringList cuvinte;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().foreground().color() == QColor(0, 0, 255))
                cuvinte << it.fragment().text();
    return cuvinte;
}

} // namespace

class TestFrmExplicativ : public QObject
{
    Q_OBJECT
private slots:
    void opensEmptyAndMaximised();
    void chapterOrHeadingOfTheCode_data();
    void chapterOrHeadingOfTheCode();
    void blankCodeIsRefused_data();
    void blankCodeIsRefused();
    void marksGoWithTheNotes();
    void notesTableMissing();
    void printsOrGivesUpSilently();
};

void TestFrmExplicativ::opensEmptyAndMaximised()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Delta_Inaltime = 900;
    Delta_Latime = 1200;
    auto* f = ui::Forms::load<Frm_Explicativ>(u"Frm_Explicativ"_s);
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), u"Tarif Vamal  -  Note Explicative"_s);
    QVERIFY(f->windowState() & Qt::WindowMaximized);
    QCOMPARE(f->Txt_CodVamal->text(), QString());
    QVERIFY(f->Explicativ_Text->toPlainText().isEmpty());
    QCOMPARE(f->Explicativ_Text->width(), ui::twipsToPixelsX(11415 + 1200));
    QCOMPARE(f->Explicativ_Text->height(), ui::twipsToPixelsY(7335 + 900));
}

void TestFrmExplicativ::chapterOrHeadingOfTheCode_data()
{
    QTest::addColumn<QString>("cod");
    QTest::addColumn<int>("cifre");
    QTest::addColumn<QString>("text");
    QTest::newRow("0101, chapter 01") << u"0101"_s << 2 << u"Cai vii. Alti cai, CAI si caine."_s;
    QTest::newRow("0101, heading 0101") << u"0101"_s << 4 << u"Pozitia 0101: cai, magari"_s;
    QTest::newRow("eight digits, chapter") << u"01012100"_s << 2 << u"Cai vii. Alti cai, CAI si caine."_s;
    QTest::newRow("1, chapter: nothing") << u"1"_s << 2 << kVechi;
    QTest::newRow("1, heading: nothing") << u"1"_s << 4 << kVechi;
    QTest::newRow("123, heading: nothing") << u"123"_s << 4 << kVechi;
    QTest::newRow("a chapter without notes") << u"84"_s << 2 << u"NU EXISTA NOTE EXPLICATIVE"_s;
    QTest::newRow("a quote is a code like any") << u"0'"_s << 2 << u"NU EXISTA NOTE EXPLICATIVE"_s;
}

void TestFrmExplicativ::chapterOrHeadingOfTheCode()
{
    QFETCH(QString, cod);
    QFETCH(int, cifre);
    QFETCH(QString, text);
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Explicativ* f = deschide();
    QVERIFY(f);
    f->Txt_CodVamal->setText(cod);
    (cifre == 2 ? f->CmdOk_2 : f->CmdOk_4)->click();
    QCOMPARE(f->Explicativ_Text->toPlainText(), text);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmExplicativ::blankCodeIsRefused_data()
{
    QTest::addColumn<QString>("cod");
    QTest::newRow("empty") << QString();
    QTest::newRow("a blank") << u" "_s;
}

void TestFrmExplicativ::blankCodeIsRefused()
{
    QFETCH(QString, cod);
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Explicativ* f = deschide();
    QVERIFY(f);
    f->Txt_CodVamal->setText(cod);
    f->CmdOk_4->click();
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, u"Cod Vamal  -  Obligatoriu de completat !"_s);
    QCOMPARE(m[0].title, std::optional<QString>(u"EROARE"_s));
    QCOMPARE(m[0].icon, ui::Icon::Critical);
    QCOMPARE(f->Explicativ_Text->toPlainText(), kVechi);
}

void TestFrmExplicativ::marksGoWithTheNotes()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Explicativ* f = deschide();
    QVERIFY(f);
    f->Txt_CodVamal->setText(u"0101"_s);
    f->CmdOk_2->click();
    f->Txt_Cautat->setText(u"cai"_s);
    f->CmdCautare->click();
    QCOMPARE(albastre(f->Explicativ_Text), (QStringList{u"Cai"_s, u"cai"_s, u"CAI"_s}));
    f->Txt_Cautat->setText(u"vii"_s);
    f->CmdCautare->click(); // earlier marks stay
    QCOMPARE(albastre(f->Explicativ_Text).size(), 4);

    f->CmdOk_4->click();
    QCOMPARE(f->Explicativ_Text->toPlainText(), u"Pozitia 0101: cai, magari"_s);
    QVERIFY(albastre(f->Explicativ_Text).isEmpty());

    f->Txt_CodVamal->setText(u"84"_s);
    f->CmdOk_2->click();
    f->Txt_Cautat->setText(u"NOTE"_s);
    f->CmdCautare->click();
    QCOMPARE(albastre(f->Explicativ_Text), (QStringList{u"NOTE"_s}));
}

void TestFrmExplicativ::notesTableMissing()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Explicativ* f = deschide();
    QVERIFY(f);
    QVERIFY(Conexiune_Comun.execute(u"DROP TABLE HS_Note_4"_s));
    f->Txt_CodVamal->setText(u"0101"_s);
    f->CmdOk_4->click();
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QVERIFY(m[0].text.startsWith(u"EROARE : "_s));
    QCOMPARE(m[0].title, std::optional<QString>(u"EROARE"_s));
    QCOMPARE(f->Explicativ_Text->toPlainText(), kVechi);
    f->CmdOk_2->click(); // the chapters are still there
    QCOMPARE(f->Explicativ_Text->toPlainText(), u"Cai vii. Alti cai, CAI si caine."_s);
}

void TestFrmExplicativ::printsOrGivesUpSilently()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Explicativ* f = deschide();
    QVERIFY(f);
    f->Txt_CodVamal->setText(u"01"_s);
    f->CmdOk_2->click();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"note.pdf"_s);
    ui::testing::clearPrinters();
    ui::testing::pushPrinter(QString()); // cancelled
    f->CmdPrint->click();
    QCOMPARE(ui::testing::printerDialogs(), 1);
    QVERIFY(!QFile::exists(pdf));
    ui::testing::pushPrinter(pdf);
    f->CmdPrint->click();
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    ui::testing::clearPrinters();
}

QTEST_MAIN(TestFrmExplicativ)
#include "tst_frm_explicativ.moc"
