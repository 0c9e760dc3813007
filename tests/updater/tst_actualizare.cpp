// The update procedure against a copy of the seeded program folder: the
// scripts on every database, the executable's backup and replacement, the
// grid query file and the tariff databases; and what is left and told when
// a part fails.

#include "Alt_Proces.h"
#include "Mediu_Actualizare.h"
#include "platform/sys/clock.h"
#include "updater/Actualizare.h"
#include "updater/VerificaVersiuneFile.h"

#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

QStringList coloana(db::Connection c, const QString& sql)
{
    QStringList valori;
    db::Result<db::Recordset> rs = c.openRecordset(sql);
    if (!rs)
        return {u"<"_s + rs.error().description + u'>'};
    for (; !rs->eof(); rs->moveNext())
        valori << rs->value(0).toText();
    return valori;
}

bool areColoana(db::Connection c, const QString& tabel, const QString& nume)
{
    db::Result<db::Recordset> rs = c.columnsSchema(tabel);
    for (; rs && !rs->eof(); rs->moveNext())
        if (rs->value(u"COLUMN_NAME"_s).toText() == nume)
            return true;
    return false;
}

// The company scripts ran once, in order, on the database.
bool bazaActualizata(const Arbore_Test& a, const QString& fisier)
{
    db::Connection c = a.deschide(u"System/DataBase/"_s + fisier);
    return areColoana(c, u"Intrastat"_s, u"Nou"_s) &&
           coloana(c, u"SELECT Nr FROM Versiune_DB ORDER BY rowid"_s) == QStringList{u"1"_s, u"2"_s};
}

// Nothing of the company scripts reached the database.
bool bazaNeschimbata(const Arbore_Test& a, const QString& fisier)
{
    db::Connection c = a.deschide(u"System/DataBase/"_s + fisier);
    return !areColoana(c, u"Intrastat"_s, u"Nou"_s) && !c.tableExists(u"Versiune_DB"_s);
}

QString caleCopie(const Arbore_Test& a)
{
    return a.cale(u"SaveApp/"_s) +
           Nume_Copie_Executabil(sys::Clock::today(), QLocale::system().dateFormat(QLocale::ShortFormat));
}

// The names in a folder, side files of unfinished writes included.
QStringList continut(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool contine(const QStringList& probleme, const QString& inceput)
{
    for (const QString& p : probleme)
        if (p.startsWith(inceput))
            return true;
    return false;
}

} // namespace

class TestActualizare : public QObject
{
    Q_OBJECT

private slots:
    void init() { sys::Clock::set(QDateTime(QDate(2026, 12, 9), QTime(10, 0))); }
    void cleanup() { sys::Clock::reset(); }

    void numeCopie_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("nume");
        QTest::newRow("day.month.year") << u"dd.MM.yyyy"_s << u"09.12.2026_Quorvel"_s;
        QTest::newRow("month/day/year") << u"M/d/yyyy"_s << u"12_9_2026_Quorvel"_s;
        QTest::newRow("backslashes") << u"yyyy\\MM\\dd"_s << u"2026_12_09_Quorvel"_s;
    }
    void numeCopie()
    {
        QFETCH(QString, format);
        QFETCH(QString, nume);
        QCOMPARE(Nume_Copie_Executabil(QDate(2026, 12, 9), format), nume);
    }

    // Commands of a company script: pieces between CR LF "GO" CR LF only.
    void separareComenzi_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("comenzi");
        QTest::newRow("separator at the end")
            << QByteArray("A\r\nGO\r\nB\r\nGO\r\n") << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("lower-case go is no separator")
            << QByteArray("A\r\ngo\r\nB") << QStringList{u"A\r\ngo\r\nB"_s};
        QTest::newRow("line feeds only are no separator")
            << QByteArray("A\nGO\nB") << QStringList{u"A\nGO\nB"_s};
        QTest::newRow("blank pieces")
            << QByteArray("\r\nGO\r\n \r\nGO\r\n\r\n\r\nGO\r\nC") << QStringList{u"C"_s};
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "A")
                                         << QStringList{u"A"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void separareComenzi()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, comenzi);
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachet(u"SQL/DB/x.sql"_s, text));
        QVERIFY(m.scriePachet(u"SQL/Comun/x.sql"_s, text));
        const std::optional<Scripturi_Pachet> s = Citeste_Scripturi_Pachet(Folder_Pachet_Update);
        QVERIFY(s);
        QCOMPARE(s->db.size(), 1);
        QCOMPARE(s->db[0].comenzi, comenzi);
        // A common script is one command, whatever it holds.
        QCOMPARE(s->comun[0].comenzi.size(), text.trimmed().isEmpty() || text == "\xEF\xBB\xBF" ? 0 : 1);
    }

    // Script files in order of name, whatever the case of their "sql" ending.
    void fisiereScript()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        const std::optional<Scripturi_Pachet> s = Citeste_Scripturi_Pachet(Folder_Pachet_Update);
        QVERIFY(s);
        QStringList nume;
        for (const Script_Actualizare& x : s->comun)
            nume << QFileInfo(x.cale).fileName();
        QCOMPARE(nume, (QStringList{u"01_tabel.sql"_s, u"02_rand.SQL"_s, u"03_randsql"_s}));
    }

    void actualizareCompleta()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        const QByteArray vechi = Mediu_Actualizare::citeste(m.arbore.cale(u"Quorvel"_s));
        int reimprospatari = 0;

        const Rezultat_Actualizare r = Actualizeaza_Quorvel([&] { ++reimprospatari; });

        QVERIFY(r.facuta);
        QCOMPARE(r.probleme, QStringList());
        QCOMPARE(Mesaj_Final(r), u"Actualizare Terminata !"_s);
        // Three common files, the common database, two files on each of the
        // two company databases, each database, and before the tariffs.
        QCOMPARE(reimprospatari, 3 + 1 + 2 * (2 + 1) + 1);

        db::Connection comun = m.arbore.deschide(u"System/DataBase/Comun.mdb"_s);
        QCOMPARE(coloana(comun, u"SELECT Cod FROM Actualizare_Comun ORDER BY Cod"_s),
                 (QStringList{u"A"_s, u"B"_s}));
        QVERIFY(bazaActualizata(m.arbore, u"RO0000001.mdb"_s));
        QVERIFY(bazaActualizata(m.arbore, u"goala.mdb"_s));

        QCOMPARE(Mediu_Actualizare::citeste(caleCopie(m.arbore)), vechi);
        QCOMPARE(continut(m.arbore.cale(u"SaveApp"_s)),
                 QStringList{QFileInfo(caleCopie(m.arbore)).fileName()});
        const QString instalat = m.arbore.cale(u"Quorvel"_s);
        QCOMPARE(Mediu_Actualizare::citeste(instalat), Mediu_Actualizare::executabil(u"2.4.0.0"_s));
        QVERIFY(QFileInfo(instalat).isExecutable());

        QCOMPARE(Mediu_Actualizare::citeste(m.arbore.cale(u"System/SQL/Intrastat.txt"_s)),
                 Mediu_Actualizare::kGrila);
        for (const QString& nume : {u"CN2026.mdb"_s, u"CN2027.mdb"_s}) {
            db::Connection cn = m.arbore.deschide(u"System/DataBase/CN/"_s + nume);
            QVERIFY2(cn.tableExists(u"Tarif_Nou"_s), qPrintable(nume));
        }
        // No side file of a write is left behind; a tariff the package does
        // not carry stays.
        QCOMPARE(continut(m.arbore.cale(u"System/DataBase/CN"_s)),
                 (QStringList{u"CN2025.mdb"_s, u"CN2026.mdb"_s, u"CN2027.mdb"_s}));
        QCOMPARE(continut(m.arbore.cale(u"System/SQL"_s)), QStringList{u"Intrastat.txt"_s});
    }

    // The release's own update package brings an installation of the earlier
    // sample data (one open-ended code version, Bucharest alone, counties
    // without diacritics, the tariff of 2026 alone) to this release's data;
    // a second run leaves it the same.
    void pachetulVersiunii()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        {
            db::Connection comun = m.arbore.deschide(u"System/DataBase/Comun.mdb"_s);
            QVERIFY(comun.execute(u"DELETE FROM InsCodeVersions WHERE Anul = 2025"_s));
            QVERIFY(comun.execute(u"DELETE FROM Orase WHERE City_Code <> '179132'"_s));
            QVERIFY(comun.execute(u"UPDATE Judete SET Jud_NameRo = 'Bucuresti' WHERE Jud_Code = '40'"_s));
        }
        QVERIFY(QFile::remove(m.arbore.cale(u"System/DataBase/CN/CN2025.mdb"_s)));
        {
            db::Connection cn = m.arbore.deschide(u"System/DataBase/CN/CN2026.mdb"_s);
            QVERIFY(cn.execute(u"DELETE FROM HS_8 WHERE HS8_COD > '05'"_s));
        }
        Folder_Pachet_Update = QStringLiteral(QUORVEL_UPDATE_PACKAGE "/");
        for (int rulare = 1; rulare <= 2; ++rulare) {
            const Rezultat_Actualizare r = Actualizeaza_Quorvel();
            QVERIFY(r.facuta);
            QCOMPARE(r.probleme, QStringList());
            db::Connection comun = m.arbore.deschide(u"System/DataBase/Comun.mdb"_s);
            QCOMPARE(coloana(comun, u"SELECT Anul || '-' || IFNULL(Anul_End, '') || ' ' || CN_File || ' ' || "
                                    u"CnVer FROM InsCodeVersions ORDER BY Anul"_s),
                     (QStringList{u"2025-2025 CN2025.mdb 2025"_s, u"2026- CN2026.mdb 2026"_s}));
            QCOMPARE(coloana(comun, u"SELECT COUNT(*) FROM Orase"_s), QStringList{u"3181"_s});
            QCOMPARE(coloana(comun, u"SELECT City_NameRo || ' ' || City_RefCode FROM Orase WHERE City_Code = "
                                    u"'54975'"_s),
                     QStringList{u"Cluj-Napoca 12"_s});
            QCOMPARE(coloana(comun, u"SELECT COUNT(*) || ' ' || MAX(CASE WHEN Jud_Code = '40' THEN Jud_NameRo END) "
                                    u"FROM Judete"_s),
                     QStringList{u"42 București"_s});
            for (const auto& [nume, coduri] : {std::pair{u"CN2025.mdb"_s, u"9778"_s}, {u"CN2026.mdb"_s, u"9791"_s}})
                QCOMPARE(coloana(m.arbore.deschide(u"System/DataBase/CN/"_s + nume),
                                 u"SELECT COUNT(DISTINCT HS8_COD) FROM HS_8"_s),
                         QStringList{coduri});
        }
    }

    // The installed executable is replaced only by a newer one, or when its
    // own version cannot be read; the dated backup is made every time.
    void executabil_data()
    {
        QTest::addColumn<QString>("instalat");
        QTest::addColumn<QString>("nou");
        QTest::addColumn<bool>("inlocuit");
        QTest::newRow("newer") << u"2.3.0.0"_s << u"2.4.0.0"_s << true;
        QTest::newRow("newer by a part of two digits") << u"2.3.0.9"_s << u"2.3.0.10"_s << true;
        QTest::newRow("same") << u"2.3.0.0"_s << u"2.3.0.0"_s << false;
        QTest::newRow("older") << u"2.3.0.0"_s << u"2.2.9.9"_s << false;
        QTest::newRow("package's without version") << u"2.3.0.0"_s << QString() << false;
        QTest::newRow("installed without version") << QString() << u"2.2.0.0"_s << true;
    }
    void executabil()
    {
        QFETCH(QString, instalat);
        QFETCH(QString, nou);
        QFETCH(bool, inlocuit);
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(nou));
        const QString cale = m.arbore.cale(u"Quorvel"_s);
        QVERIFY(Mediu_Actualizare::scrieFisier(cale, Mediu_Actualizare::executabil(instalat)));

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QCOMPARE(r.probleme, QStringList());
        QCOMPARE(Mediu_Actualizare::citeste(caleCopie(m.arbore)), Mediu_Actualizare::executabil(instalat));
        QCOMPARE(Mediu_Actualizare::citeste(cale), Mediu_Actualizare::executabil(inlocuit ? nou : instalat));
    }

    // A second run on the same day replaces that day's backup; without an
    // installed executable there is nothing to back up and the package's is
    // put in place.
    void copiaZilei()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        const QString cale = m.arbore.cale(u"Quorvel"_s);
        QVERIFY(Actualizeaza_Quorvel().facuta);
        QVERIFY(Actualizeaza_Quorvel().facuta);
        QCOMPARE(Mediu_Actualizare::citeste(caleCopie(m.arbore)),
                 Mediu_Actualizare::executabil(u"2.4.0.0"_s));
        QCOMPARE(continut(m.arbore.cale(u"SaveApp"_s)).size(), 1);

        QVERIFY(QFile::remove(cale));
        QVERIFY(QFile::remove(caleCopie(m.arbore)));
        const Rezultat_Actualizare r = Actualizeaza_Quorvel();
        QVERIFY(contine(r.probleme, u"BAZA DE DATE NEACTUALIZATA"_s)); // the scripts ran before
        QCOMPARE(continut(m.arbore.cale(u"SaveApp"_s)), QStringList());
        QCOMPARE(Mediu_Actualizare::citeste(cale), Mediu_Actualizare::executabil(u"2.4.0.0"_s));
        QVERIFY(QFileInfo(cale).isExecutable());
    }

    // A command that fails leaves its whole database as it was (the
    // commands before it in other files too), the other databases are
    // updated, and the end message names the database, file and command.
    void scriptEsuat_data()
    {
        QTest::addColumn<bool>("peComun");
        QTest::newRow("common script") << true;
        QTest::newRow("company script on one database") << false;
    }
    void scriptEsuat()
    {
        QFETCH(bool, peComun);
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        QString baza;
        if (peComun) {
            QVERIFY(m.scriePachet(u"SQL/Comun/02_rand.SQL"_s, "INSERT INTO Lipsa (Cod) VALUES ('A')"));
            baza = m.arbore.folderBazaDate() + u"Comun.mdb"_s;
        } else {
            // This company already has the table the second command creates.
            QVERIFY(m.arbore.deschide(u"System/DataBase/RO0000001.mdb"_s)
                        .execute(u"CREATE TABLE Versiune_DB (Nr INTEGER)"_s));
            baza = m.arbore.folderBazaDate() + u"RO0000001.mdb"_s;
        }

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QVERIFY(r.facuta);
        QCOMPARE(r.probleme.size(), 1);
        const QString esec = peComun ? u"02_rand.SQL, comanda 1 : "_s : u"01_coloane.sql, comanda 2 : "_s;
        QVERIFY2(r.probleme[0].startsWith(u"BAZA DE DATE NEACTUALIZATA : "_s + baza + u"\r\n   "_s + esec),
                 qPrintable(r.probleme[0]));
        QVERIFY(Mesaj_Final(r).startsWith(u"ACTUALIZARE TERMINATA CU ERORI :\r\n\r\n"_s + r.probleme[0]));
        db::Connection comun = m.arbore.deschide(u"System/DataBase/Comun.mdb"_s);
        QCOMPARE(comun.tableExists(u"Actualizare_Comun"_s), !peComun);
        if (peComun) {
            QVERIFY(bazaActualizata(m.arbore, u"RO0000001.mdb"_s));
        } else {
            db::Connection c = m.arbore.deschide(u"System/DataBase/RO0000001.mdb"_s);
            QVERIFY(!areColoana(c, u"Intrastat"_s, u"Nou"_s));
            QCOMPARE(coloana(c, u"SELECT COUNT(*) FROM Versiune_DB"_s), QStringList{u"0"_s});
        }
        QVERIFY(bazaActualizata(m.arbore, u"goala.mdb"_s));
        // The rest of the update went on.
        QCOMPARE(Mediu_Actualizare::citeste(m.arbore.cale(u"Quorvel"_s)),
                 Mediu_Actualizare::executabil(u"2.4.0.0"_s));
    }

    // A script's own transaction commands neither commit nor roll back the
    // commands before them: the database's transaction stays whole, also
    // when a comment stands before the command.
    void comenziDeTranzactie_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("bare") << QByteArray("BEGIN TRANSACTION\r\nGO\r\n"
                                            "INSERT INTO Versiune_DB (Nr) VALUES (3)\r\nGO\r\n"
                                            "COMMIT\r\nGO\r\nROLLBACK");
        QTest::newRow("comment before the commit")
            << QByteArray("BEGIN TRANSACTION\r\nGO\r\n"
                          "INSERT INTO Versiune_DB (Nr) VALUES (3)\r\nGO\r\n"
                          "-- keep what ran\r\nCOMMIT\r\nGO\r\nROLLBACK");
        QTest::newRow("comments before every command")
            << QByteArray("/* start */ BEGIN TRANSACTION\r\nGO\r\n"
                          "INSERT INTO Versiune_DB (Nr) VALUES (3)\r\nGO\r\n"
                          "/* keep */ COMMIT\r\nGO\r\n-- undo\r\nROLLBACK");
    }
    void comenziDeTranzactie()
    {
        QFETCH(QByteArray, script);
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        QVERIFY(m.scriePachet(u"SQL/DB/03_tranzactie.sql"_s, script));

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QCOMPARE(r.probleme.size(), 2);
        for (const QString& f : {u"RO0000001.mdb"_s, u"goala.mdb"_s}) {
            QVERIFY(contine(r.probleme, u"BAZA DE DATE NEACTUALIZATA : "_s + m.arbore.folderBazaDate() + f +
                                            u"\r\n   03_tranzactie.sql, comanda 4 : "_s));
            QVERIFY2(bazaNeschimbata(m.arbore, f), qPrintable(f));
        }
    }

    // A company whose file is missing is skipped and named at the end; a
    // name with blanks around it is trimmed; a file the register names
    // twice is updated once.
    void registrulFirmelor()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        QVERIFY(QFile::copy(m.arbore.cale(u"System/DataBase/goala.mdb"_s),
                            m.arbore.cale(u"System/DataBase/RO0000002.mdb"_s)));
        db::Connection comun = m.arbore.deschide(u"System/DataBase/Comun.mdb"_s);
        for (const auto& [cod, fisier] :
             {std::pair{u"RO0000002"_s, u"  RO0000002.mdb  "_s}, std::pair{u"RO0000003"_s, u" LIPSA.mdb"_s},
              std::pair{u"RO0000004"_s, u"RO0000001.mdb"_s}})
            QVERIFY(comun.execute(u"INSERT INTO Firme (Cod_Fiscal, DataBaseFile) VALUES (?, ?)"_s,
                                  {db::Variant(cod), db::Variant(fisier)}));
        comun.close();

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QCOMPARE(r.probleme,
                 QStringList{u"NU EXISTA FISIERUL : "_s + m.arbore.folderBazaDate() + u"LIPSA.mdb"_s});
        for (const QString& f : {u"RO0000001.mdb"_s, u"RO0000002.mdb"_s, u"goala.mdb"_s})
            QVERIFY2(bazaActualizata(m.arbore, f), qPrintable(f));
    }

    // A folder that cannot be written: what goes there is left as it was,
    // whole, and is named at the end; the executable is not replaced without
    // its backup.
    void folderNeinscriptibil_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("problema");
        QTest::newRow("backup folder") << u"SaveApp"_s << u"NU SE POATE CREA DIRECTORUL : "_s;
        QTest::newRow("grid query folder") << u"System/SQL"_s << u"NU SE POATE COPIA : "_s;
        QTest::newRow("tariff folder") << u"System/DataBase/CN"_s << u"NU SE POATE COPIA : "_s;
    }
    void folderNeinscriptibil()
    {
        QFETCH(QString, folder);
        QFETCH(QString, problema);
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        // A file where the folder should be stops writing into it, even for root.
        const QString cale = m.arbore.cale(folder);
        QVERIFY(QDir(cale).removeRecursively());
        QVERIFY(Mediu_Actualizare::scrieFisier(cale, "in the way"));
        const QByteArray vechi = Mediu_Actualizare::citeste(m.arbore.cale(u"Quorvel"_s));

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QVERIFY(r.facuta);
        QVERIFY2(contine(r.probleme, problema), qPrintable(r.probleme.join(u'|')));
        QCOMPARE(Mediu_Actualizare::citeste(cale), QByteArray("in the way"));
        const bool copieExecutabil = folder == u"SaveApp"_s;
        QCOMPARE(contine(r.probleme, u"EXECUTABILUL NU A FOST INLOCUIT, NU EXISTA COPIA LUI : "_s),
                 copieExecutabil);
        QCOMPARE(Mediu_Actualizare::citeste(m.arbore.cale(u"Quorvel"_s)),
                 copieExecutabil ? vechi : Mediu_Actualizare::executabil(u"2.4.0.0"_s));
        QCOMPARE(r.probleme.size(), copieExecutabil ? 2 : 1);
        QVERIFY(bazaActualizata(m.arbore, u"RO0000001.mdb"_s));
        QCOMPARE(continut(m.arbore.radacina()).filter(QRegularExpression(u"^Quorvel"_s)),
                 QStringList{u"Quorvel"_s});
    }

    // One tariff file that cannot be written keeps the others out too.
    void tarifeToateSauNiciunul()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        QVERIFY(m.scriePachet(u"Tarif/Vechi/CN2020.mdb"_s, "old tariff"));
        // Sub-folder Vechi of CN is a file: the file under it cannot be written.
        QVERIFY(Mediu_Actualizare::scrieFisier(m.arbore.cale(u"System/DataBase/CN/Vechi"_s), "in the way"));
        const QStringList inainte = continut(m.arbore.cale(u"System/DataBase/CN"_s));

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QCOMPARE(r.probleme.size(), 1);
        QVERIFY(r.probleme[0].endsWith(u"TARIFELE NU AU FOST COPIATE"_s));
        QCOMPARE(continut(m.arbore.cale(u"System/DataBase/CN"_s)), inainte);
        QVERIFY(!m.arbore.deschide(u"System/DataBase/CN/CN2026.mdb"_s).tableExists(u"Tarif_Nou"_s));
    }

    // In a folder shared by several users, a company database that a Quorvel
    // has open gets no script under it: it is left as it was and named at
    // the end, the others are updated, and that Quorvel goes on writing.
    void bazaDeschisaInAltProces()
    {
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        const QString firma = m.arbore.folderBazaDate() + u"RO0000001.mdb"_s;
        Alt_Proces alt;
        QCOMPARE(alt.deschide(firma), u"deschis"_s);

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QVERIFY(r.facuta);
        QCOMPARE(r.probleme.size(), 1);
        QVERIFY2(r.probleme[0].startsWith(u"BAZA DE DATE ESTE DESCHISA IN Quorvel, NU A FOST ACTUALIZATA : "_s +
                                          firma),
                 qPrintable(r.probleme[0]));
        QCOMPARE(alt.comanda(u"UPDATE Intrastat SET Luna = Luna"_s), u"ok"_s);
        alt.opreste();
        QVERIFY(bazaNeschimbata(m.arbore, u"RO0000001.mdb"_s));
        QVERIFY(bazaActualizata(m.arbore, u"goala.mdb"_s));
        QVERIFY(m.arbore.deschide(u"System/DataBase/Comun.mdb"_s).tableExists(u"Actualizare_Comun"_s));
    }

    // Without the installation or a readable package nothing is changed,
    // and the reason is told.
    void nimicSchimbat_data()
    {
        QTest::addColumn<QString>("defect");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("program folder missing")
            << u"program"_s << u"EROARE MAJORA, NU EXISTA DIRECTORUL : \r\n"_s;
        QTest::newRow("common database missing")
            << u"comun"_s << u"EROARE MAJORA, NU EXISTA FISIERUL : \r\n"_s;
        QTest::newRow("database folder not read")
            << u"registru"_s << u"EROARE MAJORA, NU EXISTA FISIERUL : \r\nComun.mdb"_s;
        QTest::newRow("no package") << u"pachet"_s << u"NU EXISTA PACHETUL DE ACTUALIZARE IN : \r\n"_s;
        QTest::newRow("script in another code page") << u"script"_s << u"NU SE POATE CITI FISIERUL : \r\n"_s;
        QTest::newRow("not a program folder")
            << u"strain"_s << u"DIRECTORUL NU ESTE AL PROGRAMULUI Quorvel : \r\n"_s;
        QTest::newRow("Quorvel runs") << u"ruleaza"_s << u"Quorvel RULEAZA : "_s;
        QTest::newRow("common database open in Quorvel")
            << u"comunDeschis"_s << u"BAZA DE DATE ESTE DESCHISA IN Quorvel, NU A FOST ACTUALIZATA : "_s;
    }
    void nimicSchimbat()
    {
        QFETCH(QString, defect);
        QFETCH(QString, mesaj);
        Mediu_Actualizare m;
        VERIFICA_MEDIU(m);
        QVERIFY(m.scriePachetComplet(u"2.4.0.0"_s));
        Alt_Proces alt; // a running Quorvel
        if (defect == u"program")
            Folder_Program_Update = m.arbore.cale(u"Lipsa/"_s);
        else if (defect == u"comun")
            QVERIFY(QFile::remove(m.arbore.cale(u"System/DataBase/Comun.mdb"_s)));
        else if (defect == u"registru")
            Folder_BazaDate_Update.clear();
        else if (defect == u"pachet")
            Folder_Pachet_Update = m.arbore.cale(u"System/Layout/"_s);
        else if (defect == u"strain")
            Folder_Program_Update = m.arbore.cale(u"System/Layout/"_s);
        else if (defect == u"ruleaza")
            QCOMPARE(alt.porneste({u"--executabil"_s, m.arbore.cale(u"Quorvel"_s)}), u"deschis"_s);
        else if (defect == u"comunDeschis")
            QCOMPARE(alt.deschide(m.arbore.cale(u"System/DataBase/Comun.mdb"_s)), u"deschis"_s);
        else
            QVERIFY(
                m.scriePachet(u"SQL/DB/03_text.sql"_s, "INSERT INTO Versiune_DB (Nr) VALUES ('\xE2\x80')"));
        const QByteArray vechi = Mediu_Actualizare::citeste(m.arbore.cale(u"Quorvel"_s));

        const Rezultat_Actualizare r = Actualizeaza_Quorvel();

        QVERIFY(!r.facuta);
        QVERIFY2(r.oprire.startsWith(mesaj), qPrintable(r.oprire));
        QCOMPARE(r.probleme, QStringList());
        QVERIFY(!QFileInfo::exists(m.arbore.cale(u"SaveApp"_s)));
        QVERIFY(!QFileInfo::exists(m.arbore.cale(u"System/Layout/SaveApp"_s)));
        QCOMPARE(Mediu_Actualizare::citeste(m.arbore.cale(u"Quorvel"_s)), vechi);
        if (defect != u"comun")
            QVERIFY(!m.arbore.deschide(u"System/DataBase/Comun.mdb"_s).tableExists(u"Actualizare_Comun"_s));
        QVERIFY(bazaNeschimbata(m.arbore, u"RO0000001.mdb"_s));
        QVERIFY(!m.arbore.deschide(u"System/DataBase/CN/CN2026.mdb"_s).tableExists(u"Tarif_Nou"_s));
    }
};

QTEST_MAIN(TestActualizare)
#include "tst_actualizare.moc"
