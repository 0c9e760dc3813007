// The query builder: the SELECT written from the fields grid (a table of
// cases), the forbidden words, the run that can never change the data, the
// saved scripts, and the window driven through its grid, buttons and lists.

#include "Raport_Test.h"
#include "common/BUTOANE.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"
#include "reports/Cautare_Selectie.h"
#include "reports/Frm_Cautare_Selectie.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Columns A (text), B and C (numbers), D (date), E (yes/no), with three rows.
bool tabelTest()
{
    return Raport_Test::executa(Conexiune_Firma,
                                u"CREATE TABLE Test_Tabel (A TEXT(10) COLLATE NOCASE, B INTEGER, C INTEGER, "
                                u"D DATETIME, E YESNO)"_s) &&
           Raport_Test::executa(Conexiune_Firma, u"INSERT INTO Test_Tabel VALUES ('O''Neil', 1, 5, "
                                                 u"'2026-02-01', -1), ('ab', 2, 9, '2026-03-01', 0), "
                                                 u"('xy', 3, NULL, NULL, 0)"_s);
}

int randuri(const QString& tabel)
{
    return Raport_Test::valoare(Conexiune_Firma, u"SELECT COUNT(*) FROM "_s + tabel).toInt();
}

// One row of the fields record set by column name: its operator fragment,
// value and tick.
struct Setare
{
    QString coloana;
    QString semn;
    QString valoare;
    bool afiseaza = false;
};

bool aplica(db::Recordset& campuri, const QList<Setare>& setari)
{
    for (const Setare& s : setari) {
        campuri.moveFirst();
        if (campuri.find(u"FieldName = '"_s + s.coloana + u"'"_s) || campuri.eof())
            return false;
        if (campuri.setValue(u"Semn"_s, s.semn.isEmpty() ? db::Variant::null() : db::Variant(s.semn)) ||
            campuri.setValue(u"Valoare"_s,
                             s.valoare.isEmpty() ? db::Variant::null() : db::Variant(s.valoare)) ||
            campuri.setValue(u"Afiseaza"_s, db::Variant(s.afiseaza)) || campuri.update())
            return false;
    }
    return true;
}

QString valoareCamp(db::Recordset& campuri, const QString& coloana)
{
    campuri.moveFirst();
    campuri.find(u"FieldName = '"_s + coloana + u"'"_s);
    return campuri.value(u"Valoare"_s).toText();
}

Frm_Cautare_Selectie* deschide()
{
    auto* f = ui::Forms::load<Frm_Cautare_Selectie>(u"Frm_Cautare_Selectie"_s);
    if (f)
        ui::Forms::show(u"Frm_Cautare_Selectie"_s);
    return f;
}

// Chooses a table in the list as the user does.
bool alege(Frm_Cautare_Selectie* f, const QString& tabel)
{
    const int rand = f->Cmb_Tabele->rowOfListText(tabel);
    if (rand < 0)
        return false;
    f->Cmb_Tabele->setCurrentIndex(rand);
    return true;
}

int randCamp(Frm_Cautare_Selectie* f, const QString& coloana)
{
    for (int r = 0; r < f->GridCampuri->dataRowCount(); ++r)
        if (f->GridCampuri->cellValue(r, 0).toText() == coloana)
            return r;
    return -1;
}

// Types into a cell of the fields grid.
bool scrie(Frm_Cautare_Selectie* f, const QString& coloana, int celula, const QString& text)
{
    const int r = randCamp(f, coloana);
    if (r < 0)
        return false;
    f->GridCampuri->setCurrentCell(r, celula);
    return f->GridCampuri->editCell(celula, text);
}

// The window open on the test table, chosen in its list.
struct Pe_Tabel
{
    Raport_Test t;
    Frm_Cautare_Selectie* f = nullptr;
    bool ok = false;

    Pe_Tabel() { ok = t.ok() && tabelTest() && (f = deschide()) != nullptr && alege(f, u"Test_Tabel"_s); }
};

} // namespace

class TestCautareSelectie : public QObject
{
    Q_OBJECT
private slots:
    void genereaza_data();
    void genereaza();
    void valoareLipsa();
    void dataRefuzata();
    void cuvinteInterzise_data();
    void cuvinteInterzise();
    void scriptGol();
    void rulareaNuSchimbaDatele();
    void scripturiSalvate();
    void fereastra();
    void semnulDinLista();
    void genereazaSiRuleaza();
    void valoareLipsaPastreazaTextul();
    void rulareRefuzata();
    void sesiuneaRamaneNeschimbata_data();
    void sesiuneaRamaneNeschimbata();
    void salvareSiIncarcare();
    void alegereaAltuiTabel();
    void exportExcel();
};

void TestCautareSelectie::genereaza_data()
{
    QTest::addColumn<QList<Setare>>("setari");
    QTest::addColumn<QString>("script");
    QTest::newRow("two ticked, one condition")
        << QList<Setare>{{u"A"_s, {}, {}, true},
                         {u"B"_s, {}, {}, true},
                         {u"C"_s, u"= Valoare"_s, u"5"_s, false}}
        << u"SELECT Test_Tabel.[A], Test_Tabel.[B] FROM Test_Tabel WHERE [C] = 5 "_s;
    QTest::newRow("no tick, one condition")
        << QList<Setare>{{u"C"_s, u"= Valoare"_s, u"5"_s, false}} << u" WHERE [C] = 5 "_s;
    QTest::newRow("ticked, no condition")
        << QList<Setare>{{u"D"_s, {}, {}, true}} << u"SELECT Test_Tabel.[D] FROM Test_Tabel "_s;
    QTest::newRow("nothing") << QList<Setare>{} << u" "_s;
    QTest::newRow("no value wanted") << QList<Setare>{{u"C"_s, u"IS NULL"_s, {}, false}}
                                     << u" WHERE [C] IS NULL "_s;
    QTest::newRow("two conditions") << QList<Setare>{{u"B"_s, u"> Valoare"_s, u"1"_s, false},
                                                     {u"C"_s, u"< Valoare"_s, u"9"_s, true}}
                                    << u"SELECT Test_Tabel.[C] FROM Test_Tabel WHERE [B] > 1 AND [C] < 9 "_s;
    QTest::newRow("text with a quote") << QList<Setare>{{u"A"_s, u"= 'Valoare'"_s, u"O'Neil"_s, true}}
                                       << u"SELECT Test_Tabel.[A] FROM Test_Tabel WHERE [A] = 'O''Neil' "_s;
    QTest::newRow("like") << QList<Setare>{{u"A"_s, u"LIKE '%Valoare%'"_s, u"b"_s, false}}
                          << u" WHERE [A] LIKE '%b%' "_s;
    QTest::newRow("date") << QList<Setare>{{u"D"_s, u">= #Valoare#"_s, u"01.02.2026"_s, false}}
                          << u" WHERE [D] >= #02-01-2026# "_s;
    QTest::newRow("yes/no") << QList<Setare>{{u"E"_s, u"= True"_s, u"ignorat"_s, false}}
                            << u" WHERE [E] = True "_s;
}

void TestCautareSelectie::genereaza()
{
    QFETCH(QList<Setare>, setari);
    QFETCH(QString, script);
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(tabelTest());
    db::Result<db::Recordset> campuri = Campuri_Tabel(Conexiune_Firma, u"Test_Tabel"_s);
    QVERIFY2(campuri, qPrintable(campuri.error().text()));
    QCOMPARE(campuri->recordCount(), 5);
    QVERIFY(aplica(*campuri, setari));
    const Script_Generat g = Genereaza_Script_SQL(*campuri);
    QVERIFY(g.ok);
    QCOMPARE(g.text, script);
    // What generation writes runs, unless it is empty.
    if (!g.text.trimmed().isEmpty() && g.text.startsWith(u"SELECT"_s))
        QVERIFY2(Ruleaza_Script(Conexiune_Firma, g.text), qPrintable(g.text));
    if (QLatin1StringView(QTest::currentDataTag()) == "date"_L1) {
        // The date is written back in its new form, and stays so.
        QCOMPARE(valoareCamp(*campuri, u"D"_s), u"02-01-2026"_s);
        QCOMPARE(Genereaza_Script_SQL(*campuri).text, script);
    }
    if (QLatin1StringView(QTest::currentDataTag()) == "text with a quote"_L1) {
        db::Result<db::Recordset> rs = Ruleaza_Script(Conexiune_Firma, g.text);
        QCOMPARE(rs->recordCount(), 1);
    }
}

void TestCautareSelectie::valoareLipsa()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(tabelTest());
    db::Result<db::Recordset> campuri = Campuri_Tabel(Conexiune_Firma, u"Test_Tabel"_s);
    QVERIFY(aplica(*campuri, {{u"A"_s, {}, {}, true}, {u"C"_s, u"= Valoare"_s, u" "_s, false}}));
    const Script_Generat g = Genereaza_Script_SQL(*campuri);
    QVERIFY(!g.ok);
    QCOMPARE(g.fara_valoare, u"C"_s);
    QVERIFY(g.text.isEmpty());
}

// The date written back in its new form is refused by the fields' table: the
// generation stops with that error, instead of going round the refused row
// for ever.
void TestCautareSelectie::dataRefuzata()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(Raport_Test::executa(Conexiune_Firma,
                                 u"CREATE TABLE Campuri_Test (FieldName TEXT(50), DataType TEXT(1), "
                                 u"TableName TEXT(50), Semn TEXT(50), "
                                 u"Valoare TEXT(50) CHECK (Valoare <> '02-01-2026'), Afiseaza YESNO)"_s));
    QVERIFY(Raport_Test::executa(Conexiune_Firma, u"INSERT INTO Campuri_Test VALUES ('D', 'D', 'Test_Tabel', "
                                                  u"'>= #Valoare#', '01.02.2026', 0)"_s));
    db::Result<db::Recordset> campuri = Conexiune_Firma.openRecordset(
        u"SELECT * FROM Campuri_Test"_s, db::CursorType::Static, db::LockType::Optimistic);
    QVERIFY2(campuri, qPrintable(campuri.error().text()));
    const Script_Generat g = Genereaza_Script_SQL(*campuri);
    QVERIFY(!g.ok);
    QVERIFY(g.text.isEmpty());
    QVERIFY(g.eroare.isError());
    QCOMPARE(Raport_Test::valoare(Conexiune_Firma, u"SELECT Valoare FROM Campuri_Test"_s).toText(),
             u"01.02.2026"_s);
}

void TestCautareSelectie::cuvinteInterzise_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("cuvant");
    QTest::newRow("plain select") << u"SELECT A FROM Test_Tabel WHERE B = 1"_s << QString();
    QTest::newRow("offset") << u"SELECT A FROM T LIMIT 1 OFFSET 2"_s << u"SET"_s;
    QTest::newRow("a column named Setari") << u"select Setari from T"_s << u"SET"_s;
    QTest::newRow("a name ending in update") << u"SELECT Data_Update FROM T"_s << u"UPDATE"_s;
    QTest::newRow("lower case") << u"drop table t"_s << u"DROP"_s;
    QTest::newRow("execute names exec") << u"EXECUTE p"_s << u"EXEC"_s;
    QTest::newRow("first of the list") << u"DELETE FROM T; UPDATE T"_s << u"UPDATE"_s;
    QTest::newRow("pragma") << u"PRAGMA query_only=1"_s << u"PRAGMA"_s;
    QTest::newRow("pragma after a comment") << u"/* x */ pragma foreign_keys = 0"_s << u"PRAGMA"_s;
    QTest::newRow("attach") << u"ATTACH 'alt.mdb' AS alt"_s << u"ATTACH"_s;
    QTest::newRow("detach") << u"detach lnk1"_s << u"DETACH"_s;
    QTest::newRow("vacuum") << u"VACUUM"_s << u"VACUUM"_s;
    QTest::newRow("commit") << u"COMMIT"_s << u"COMMIT"_s;
    QTest::newRow("a column named Pragma") << u"SELECT Pragma FROM T"_s << QString();
}

void TestCautareSelectie::cuvinteInterzise()
{
    QFETCH(QString, script);
    QFETCH(QString, cuvant);
    QCOMPARE(Cuvant_Interzis(script), cuvant);
}

void TestCautareSelectie::scriptGol()
{
    ui::testing::Scope seam;
    for (const QString& gol : {QString(), u" "_s}) {
        ui::testing::clear();
        QVERIFY(!Verifica_Script(gol));
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.at(0).text, u"Script SQL  -  Obligatoriu de completat !"_s);
        QCOMPARE(m.at(0).title, std::optional<QString>(u"EROARE"_s));
    }
    ui::testing::clear();
    QVERIFY(!Verifica_Script(u"select * from t_update"_s));
    QCOMPARE(ui::testing::messages().at(0).text, u"Nu este permis sa rulati comanda :UPDATE"_s);
    QVERIFY(Verifica_Script(u"SELECT 1"_s));
}

// Whatever a script does, the data stays as it was: statements that the
// forbidden words do not name included.
void TestCautareSelectie::rulareaNuSchimbaDatele()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(tabelTest());
    for (const QString& script :
         {u"REPLACE INTO Test_Tabel (A, B) VALUES ('zz', 7)"_s, u"INSERT INTO Test_Tabel (A) VALUES ('q')"_s,
          u"DELETE FROM Test_Tabel"_s}) {
        Ruleaza_Script(Conexiune_Firma, script);
        QCOMPARE(randuri(u"Test_Tabel"_s), 3);
    }
    QVERIFY(!Conexiune_Firma.inTransaction());
    db::Result<db::Recordset> rs = Ruleaza_Script(Conexiune_Firma, u"SELECT A FROM Test_Tabel WHERE B > 1"_s);
    QVERIFY(rs);
    QCOMPARE(rs->recordCount(), 2);
}

void TestCautareSelectie::scripturiSalvate()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    const QString lung = QString(60, u'n');
    QVERIFY(!Salveaza_Script(Conexiune_Comun, u"Lista lui O'Neil"_s, u"SELECT 'a' FROM T WHERE x = ''"_s));
    QVERIFY(!Salveaza_Script(Conexiune_Comun, lung, u"SELECT 1"_s));
    db::Result<db::Recordset> rs =
        Conexiune_Comun.openRecordset(u"SELECT Script_Name, Script_SQL FROM Scripts ORDER BY Script_ID"_s);
    QVERIFY(rs);
    QCOMPARE(rs->recordCount(), 2);
    // The name as typed; the text with its quotes doubled, which loading undoes.
    QCOMPARE(rs->value(0).toText(), u"Lista lui O'Neil"_s);
    QCOMPARE(rs->value(1).toText(), u"SELECT ''a'' FROM T WHERE x = ''''"_s);
    QCOMPARE(Text_Script_Salvat(rs->value(1).toText()), u"SELECT 'a' FROM T WHERE x = ''"_s);
    rs->moveNext();
    QCOMPARE(rs->value(0).toText(), QString(50, u'n'));
}

void TestCautareSelectie::fereastra()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(tabelTest());
    QVERIFY(!Salveaza_Script(Conexiune_Comun, u"Primul"_s, u"SELECT 1"_s));
    Frm_Cautare_Selectie* f = deschide();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), u"Cautare Selectie"_s);
    QVERIFY(f->windowState() & Qt::WindowMaximized);
    QVERIFY(f->Cmb_Tabele->rowOfListText(u"Intrastat"_s) >= 0);
    QVERIFY(f->GridRezultat->isHidden());
    QCOMPARE(f->CmbScriptName->count(), 1);
    QVERIFY(f->Txt_SQL->toPlainText().isEmpty()); // listing the scripts loads none

    QVERIFY(alege(f, u"Test_Tabel"_s));
    QCOMPARE(f->GridCampuri->dataRowCount(), 5);
    const QStringList titluri{u"Nume coloana"_s, u"Semn"_s, u"Valoare Cautata"_s, u"Afiseaza Coloana"_s};
    QStringList vazute;
    for (int c = 0; c < f->GridCampuri->columnCount(); ++c)
        if (!f->GridCampuri->isColumnHidden(c) && f->GridCampuri->column(c).visible)
            vazute << f->GridCampuri->column(c).caption;
    QCOMPARE(vazute, titluri);
    QVERIFY(f->GridCampuri->column(0).locked);
    QVERIFY(!f->GridCampuri->allowAddNew());
    QVERIFY(!f->GridCampuri->allowDelete());
    // The tick is a check box; ticking writes the copy, never the database.
    QVERIFY(scrie(f, u"B"_s, 7, u"-1"_s));
    QVERIFY(f->GridCampuri->update());
    db::Recordset campuri = f->Campuri().clone();
    QVERIFY(!campuri.find(u"FieldName = 'B'"_s));
    QVERIFY(campuri.value(u"Afiseaza"_s).toBool());
}

// The operator cell takes only an operator of the column's kind, and a blank
// operator empties the value and the fragment.
void TestCautareSelectie::semnulDinLista()
{
    Pe_Tabel p;
    QVERIFY(p.ok);
    Frm_Cautare_Selectie* f = p.f;
    const int c = randCamp(f, u"C"_s);
    QVERIFY(scrie(f, u"C"_s, 5, u"= egal cu"_s));
    QCOMPARE(f->GridCampuri->cellValue(c, 4).toText(), u"= Valoare"_s);
    // Only the operators of a number column are offered.
    grid::GridModel& lista = f->DropDown_Semne->listModel();
    QCOMPARE(lista.dataRowCount(), 8);
    for (int r = 0; r < lista.dataRowCount(); ++r)
        QCOMPARE(lista.cell(r, 2).toText(), u"N"_s);
    QVERIFY(scrie(f, u"C"_s, 6, u"5"_s));

    // A text that is no operator of the list is refused; the cell keeps its operator.
    QVERIFY(!scrie(f, u"C"_s, 5, u"aproape egal"_s));
    QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Selectati o valoare din lista"_s});
    QCOMPARE(ui::testing::messages().at(0).title, std::optional<QString>(u"Mesaj"_s));
    QCOMPARE(ui::testing::messages().at(0).icon, ui::Icon::Critical);
    QCOMPARE(f->GridCampuri->cellValue(c, 5).toText(), u"= egal cu"_s);

    // A text column gets the text operators: the same words, another fragment.
    QVERIFY(scrie(f, u"A"_s, 5, u"= egal cu"_s));
    QCOMPARE(f->GridCampuri->cellValue(randCamp(f, u"A"_s), 4).toText(), u"= 'Valoare'"_s);

    // Blank: the value and the fragment go too.
    QVERIFY(scrie(f, u"C"_s, 5, QString()));
    QVERIFY(f->GridCampuri->cellValue(c, 4).isMissing());
    QVERIFY(f->GridCampuri->cellValue(c, 6).isMissing());
}

void TestCautareSelectie::genereazaSiRuleaza()
{
    Pe_Tabel p;
    QVERIFY(p.ok);
    Frm_Cautare_Selectie* f = p.f;
    QVERIFY(scrie(f, u"A"_s, 7, u"-1"_s));
    QVERIFY(scrie(f, u"D"_s, 5, u">= incepand cu"_s));
    QVERIFY(scrie(f, u"D"_s, 6, u"2026-02-15"_s));
    f->CmdAfiseaza->click();
    QCOMPARE(f->Txt_SQL->toPlainText(),
             u"SELECT Test_Tabel.[A] FROM Test_Tabel WHERE [D] >= #02-15-2026# "_s);
    // The grid shows the date as it was written into the text.
    QCOMPARE(f->GridCampuri->cellValue(randCamp(f, u"D"_s), 6).toText(), u"02-15-2026"_s);
    QVERIFY(Arbore_Test::mesaje().isEmpty());

    f->CmdRunSQL->click();
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QVERIFY(!f->GridRezultat->isHidden());
    QCOMPARE(f->GridRezultat->dataRowCount(), 1);
    QCOMPARE(f->GridRezultat->cellValue(0, 0).toText(), u"ab"_s);
    QCOMPARE(f->Label2->text(), u"Inregistrari: 1"_s);
    QVERIFY(!f->GridRezultat->allowUpdate());
}

void TestCautareSelectie::valoareLipsaPastreazaTextul()
{
    Pe_Tabel p;
    QVERIFY(p.ok);
    Frm_Cautare_Selectie* f = p.f;
    f->Txt_SQL->setPlainText(u"SELECT B FROM Test_Tabel"_s);
    f->CmdRunSQL->click();
    QVERIFY(!f->GridRezultat->isHidden());
    QVERIFY(scrie(f, u"B"_s, 5, u"> mai mare decat"_s));
    f->CmdAfiseaza->click();
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m.at(0).text, u"Pentru coloana: B\r\n NU ESTE SETATA VALOAREA DE CAUTARE"_s);
    QCOMPARE(m.at(0).title, std::optional<QString>(u"Mesaj"_s));
    QCOMPARE(f->Txt_SQL->toPlainText(), u"SELECT B FROM Test_Tabel"_s);
    QVERIFY(f->GridRezultat->isHidden());
}

void TestCautareSelectie::rulareRefuzata()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(tabelTest());
    Frm_Cautare_Selectie* f = deschide();
    f->Txt_SQL->setPlainText(u"delete from Test_Tabel"_s);
    f->CmdRunSQL->click();
    QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Nu este permis sa rulati comanda :DELETE"_s});
    QCOMPARE(randuri(u"Test_Tabel"_s), 3);
    QVERIFY(f->GridRezultat->isHidden());

    ui::testing::clear();
    f->Txt_SQL->setPlainText(u"SELECT * FROM Nu_Exista"_s);
    f->CmdRunSQL->click();
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QVERIFY2(m.at(0).text.startsWith(u"Eroare: "_s), qPrintable(m.at(0).text));
    QCOMPARE(m.at(0).title, std::optional<QString>(u"EROARE"_s));
    QVERIFY(!f->Rezultat().isOpen());
    QVERIFY(f->GridRezultat->isHidden());
}

// A script that would change the company connection itself is refused
// before it runs: the session writes, sees the same databases and keeps its
// checks after it.
void TestCautareSelectie::sesiuneaRamaneNeschimbata_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("cuvant");
    QTest::newRow("query only") << u"PRAGMA query_only=1"_s << u"PRAGMA"_s;
    QTest::newRow("foreign keys off") << u"PRAGMA foreign_keys=OFF"_s << u"PRAGMA"_s;
    QTest::newRow("attach") << u"ATTACH ':memory:' AS alta"_s << u"ATTACH"_s;
    QTest::newRow("detach") << u"DETACH main"_s << u"DETACH"_s;
}

void TestCautareSelectie::sesiuneaRamaneNeschimbata()
{
    QFETCH(QString, script);
    QFETCH(QString, cuvant);
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(tabelTest());
    const QString baze = u"SELECT COUNT(*) FROM pragma_database_list"_s;
    const QString inainte = Raport_Test::valoare(Conexiune_Firma, baze).toText();
    const QString cheiStraine = Raport_Test::valoare(Conexiune_Firma, u"PRAGMA foreign_keys"_s).toText();
    Frm_Cautare_Selectie* f = deschide();
    f->Txt_SQL->setPlainText(script);
    f->CmdRunSQL->click();
    QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Nu este permis sa rulati comanda :"_s + cuvant});
    QVERIFY(Raport_Test::executa(Conexiune_Firma, u"INSERT INTO Test_Tabel (A) VALUES ('nou')"_s));
    QCOMPARE(randuri(u"Test_Tabel"_s), 4);
    QCOMPARE(Raport_Test::valoare(Conexiune_Firma, baze).toText(), inainte);
    QCOMPARE(Raport_Test::valoare(Conexiune_Firma, u"PRAGMA foreign_keys"_s).toText(), cheiStraine);
}

// A saved script comes back as it was typed, in the next window; the list of
// the open window stays as it was.
void TestCautareSelectie::salvareSiIncarcare()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Cautare_Selectie* f = deschide();
    const QString text = u"SELECT Tara_COD FROM Firme WHERE Nume_Firma <> 'O''Neil'"_s;
    f->Txt_SQL->setPlainText(text);
    // Cancelled: nothing stored, nothing said.
    f->CmdSaveScript->click();
    QCOMPARE(Raport_Test::valoare(Conexiune_Comun, u"SELECT COUNT(*) FROM Scripts"_s).toInt(), 0);
    QCOMPARE(ui::testing::calls().size(), 1);
    QCOMPARE(ui::testing::calls().at(0).kind, ui::DialogKind::Input);
    QCOMPARE(ui::testing::calls().at(0).text, u"Introduceti numele scriptului care se salva"_s);

    ui::testing::pushInput(u"Firme fara O'Neil"_s);
    f->CmdSaveScript->click();
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QCOMPARE(Raport_Test::valoare(Conexiune_Comun, u"SELECT Script_Name FROM Scripts"_s).toText(),
             u"Firme fara O'Neil"_s);
    QCOMPARE(f->CmbScriptName->count(), 0);

    QVERIFY(ui::Forms::unload(u"Frm_Cautare_Selectie"_s));
    f = deschide();
    QCOMPARE(f->CmbScriptName->count(), 1);
    f->CmbScriptName->setCurrentIndex(0);
    QCOMPARE(f->Txt_SQL->toPlainText(), text);
}

void TestCautareSelectie::alegereaAltuiTabel()
{
    Pe_Tabel p;
    QVERIFY(p.ok);
    Frm_Cautare_Selectie* f = p.f;
    QVERIFY(scrie(f, u"A"_s, 7, u"-1"_s));
    f->Txt_SQL->setPlainText(u"SELECT A FROM Test_Tabel"_s);
    f->CmdRunSQL->click();
    QVERIFY(!f->GridRezultat->isHidden());
    QVERIFY(alege(f, u"Intrastat"_s));
    QVERIFY(f->GridRezultat->isHidden());
    QVERIFY(!f->Rezultat().isOpen());
    QCOMPARE(f->Txt_SQL->toPlainText(), u"SELECT A FROM Test_Tabel"_s);
    QCOMPARE(randCamp(f, u"A"_s), -1);
    QVERIFY(randCamp(f, u"Cod_NC"_s) >= 0);
    // The ticks of the other table are gone with it.
    QVERIFY(alege(f, u"Test_Tabel"_s));
    QVERIFY(!f->GridCampuri->cellValue(randCamp(f, u"A"_s), 7).toBool());
}

// At most 65535 rows go to Excel; 65536 are refused.
void TestCautareSelectie::exportExcel()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Cautare_Selectie* f = deschide();
    const auto ruleaza = [f](int n) {
        f->Txt_SQL->setPlainText(
            u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "_s +
            QString::number(n) + u") SELECT i FROM n"_s);
        f->CmdRunSQL->click();
    };
    f->CmdExcel->click(); // nothing run yet: nothing happens
    QVERIFY(Raport_Test::exportate().isEmpty());
    ruleaza(65536);
    QCOMPARE(f->Rezultat().recordCount(), 65536);
    f->CmdExcel->click();
    QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Prea multe inregistrari, nu se poate exporta"_s});
    QCOMPARE(ui::testing::messages().at(0).icon, ui::Icon::None);
    QCOMPARE(ui::testing::messages().at(0).title, std::optional<QString>());
    QVERIFY(Raport_Test::exportate().isEmpty());
    ruleaza(65535);
    f->CmdExcel->click();
    QCOMPARE(Raport_Test::exportate().size(), 1);
    QVERIFY(f->Rezultat().isOpen());
    QCOMPARE(f->GridRezultat->dataRowCount(), 65535);
}

QTEST_MAIN(TestCautareSelectie)
#include "tst_cautare_selectie.moc"
