#include "updater/Actualizare.h"

#include "common/Operatii_String.h"
#include "common/RegistriiOperatii_Citire.h"
#include "common/Verifica_Exista_Fisier.h"
#include "platform/db/rewrite.h"
#include "platform/sys/clock.h"
#include "platform/sys/file_lock.h"
#include "updater/Globale_Update.h"
#include "updater/VerificaVersiuneFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString kSeparatorGo = u"\r\nGO\r\n"_s;
const QString kExecutabil = u"Quorvel"_s;

QString cuSeparator(const QString& folder)
{
    return folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

// The file's text, or nullopt with the reason.
std::optional<QString> citesteText(const QString& cale, QString* eroare)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly)) {
        *eroare = f.errorString();
        return std::nullopt;
    }
    const QByteArray octeti = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        *eroare = f.errorString();
        return std::nullopt;
    }
    // A text in another code page would reach the databases with its
    // letters replaced: it is refused instead.
    QStringDecoder decodor(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decodor.decode(octeti);
    if (decodor.hasError()) {
        *eroare = u"nu este un text UTF-8"_s;
        return std::nullopt;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

std::optional<QList<Script_Actualizare>> citesteScripturi(const QString& folder, bool separaGo,
                                                          QString* eroare)
{
    QList<Script_Actualizare> scripturi;
    const QStringList nume = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString& numeFisier : nume) {
        if (numeFisier.right(3).toUpper() != u"SQL")
            continue;
        Script_Actualizare s;
        s.cale = folder + numeFisier;
        QString motiv;
        const std::optional<QString> text = citesteText(s.cale, &motiv);
        QStringList bucati;
        if (text && separaGo) {
            if (Imparte_String(bucati, *text, kSeparatorGo, &motiv) >= 0)
                bucati.removeFirst(); // the pieces are numbered from 1
        } else if (text) {
            bucati.append(*text);
        }
        if (!motiv.isEmpty()) {
            if (eroare)
                *eroare = u"NU SE POATE CITI FISIERUL : \r\n"_s + s.cale + u"\r\n"_s + motiv;
            return std::nullopt;
        }
        // Running a piece of blanks and line breaks does nothing but fail.
        for (const QString& b : std::as_const(bucati))
            if (!b.trimmed().isEmpty())
                s.comenzi.append(b);
        scripturi.append(s);
    }
    return scripturi;
}

std::optional<Esec_Script> executaScripturi(db::Connection& conexiune,
                                            const QList<Script_Actualizare>& scripturi,
                                            const std::function<void()>& dupaFisier)
{
    db::Transaction tranzactie(conexiune);
    if (tranzactie.error())
        return Esec_Script{QString(), 0, tranzactie.error()};
    for (const Script_Actualizare& s : scripturi) {
        for (qsizetype i = 0; i < s.comenzi.size(); ++i) {
            const QString& comanda = s.comenzi.at(i);
            // The scripts of a database already run in one transaction; the
            // word is found past any comment, as the database reads it.
            const QString cuvant = db::firstWord(comanda);
            if (cuvant == u"BEGIN" || cuvant == u"COMMIT" || cuvant == u"END")
                continue;
            if (cuvant == u"ROLLBACK" || cuvant == u"SAVEPOINT" || cuvant == u"RELEASE")
                return Esec_Script{s.cale, int(i + 1),
                                   db::Error(db::Error::Kind::Syntax, db::ErrorNumber::Syntax,
                                             u"Comanda de tranzactie nu este permisa in script."_s)};
            const db::Result<qint64> r = conexiune.execute(comanda);
            if (!r)
                return Esec_Script{s.cale, int(i + 1), r.error()};
        }
        if (dupaFisier)
            dupaFisier();
    }
    if (const db::Error e = tranzactie.commit())
        return Esec_Script{QString(), 0, e};
    return std::nullopt;
}

QString textEsec(const QString& baza, const Esec_Script& esec)
{
    QString t = u"BAZA DE DATE NEACTUALIZATA : "_s + baza + u"\r\n   "_s;
    if (!esec.fisier.isEmpty())
        t += QFileInfo(esec.fisier).fileName() + u", comanda "_s + QString::number(esec.comanda) + u" : "_s;
    return t + esec.eroare.description;
}

// Writes the source's bytes into the target's side file, with the source's
// permissions; "" or the reason. The target is not in place until commit().
QString scrieCopie(const QString& sursa, QSaveFile& tinta)
{
    QFile in(sursa);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    if (!tinta.open(QIODevice::WriteOnly))
        return tinta.errorString();
    tinta.setPermissions(in.permissions());
    constexpr qint64 bloc = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray octeti = in.read(bloc);
        if (octeti.isEmpty() && in.error() != QFileDevice::NoError)
            return in.errorString();
        if (tinta.write(octeti) != octeti.size())
            return tinta.errorString();
    }
    return QString();
}

QString textCopiere(const QString& sursa, const QString& tinta, const QString& motiv)
{
    return u"NU SE POATE COPIA : "_s + sursa + u"\r\n   IN : "_s + tinta + u"\r\n   "_s + motiv;
}

// A whole copy of one file, replacing the target; "" or the message.
QString copiaza(const QString& sursa, const QString& tinta)
{
    QSaveFile f(tinta);
    QString motiv = scrieCopie(sursa, f);
    if (motiv.isEmpty() && !f.commit())
        motiv = f.errorString();
    if (!motiv.isEmpty()) {
        f.cancelWriting();
        return textCopiere(sursa, tinta, motiv);
    }
    return QString();
}

// Each database alone: the scripts never run under a Quorvel that has it
// open (here or on another computer sharing the folder).
db::Error deschideBaza(db::Connection& conexiune, const QString& cale)
{
    return conexiune.open(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_s + db::quoted(cale) +
                          u";Mode=Read|Write|Share Exclusive"_s);
}

QString textDeschidere(const QString& cale, const db::Error& e)
{
    if (e.kind == db::Error::Kind::Busy)
        return u"BAZA DE DATE ESTE DESCHISA IN Quorvel, NU A FOST ACTUALIZATA : "_s + cale + u"\r\n   "_s +
               u"Inchideti Quorvel la toti utilizatorii si porniti din nou actualizarea."_s;
    return u"NU SE POATE DESCHIDE : "_s + cale + u"\r\n   "_s + e.description;
}

QString textRuleaza(const QString& executabil)
{
    return u"Quorvel RULEAZA : "_s + executabil + u"\r\n   "_s +
           u"Inchideti programul si porniti din nou actualizarea."_s;
}

// The company scripts on one company database or the template; a failure
// is added to the problems.
void actualizeazaBaza(const QString& cale, const Scripturi_Pachet& scripturi,
                      const std::function<void()>& reimprospatare, QStringList& probleme)
{
    db::Connection conexiune;
    if (const db::Error e = deschideBaza(conexiune, cale)) {
        probleme.append(textDeschidere(cale, e));
        return;
    }
    if (const std::optional<Esec_Script> esec = Execute_DB(conexiune, scripturi, reimprospatare))
        probleme.append(textEsec(cale, *esec));
    conexiune.close();
}

// The backup of the installed executable and its replacement by the
// package's when that one is newer.
void actualizeazaExecutabil(const QString& program, const QString& pachet, QStringList& probleme)
{
    const QString instalat = program + kExecutabil;
    const QString nou = pachet + u"EXE/"_s + kExecutabil;
    const QString folderCopii = program + u"SaveApp/"_s;

    bool salvat = false;
    const bool existaInstalat = Exista_Fisier(instalat);
    if (!QDir().mkpath(folderCopii)) {
        probleme.append(u"NU SE POATE CREA DIRECTORUL : "_s + folderCopii);
    } else if (existaInstalat) {
        const QString copie =
            folderCopii +
            Nume_Copie_Executabil(sys::Clock::today(), QLocale::system().dateFormat(QLocale::ShortFormat));
        const QString eroare = copiaza(instalat, copie);
        salvat = eroare.isEmpty();
        if (!salvat)
            probleme.append(eroare);
    }

    if (!Exista_Fisier(nou))
        return;
    // A comparison that fails (the installed file carries no version)
    // replaces the file too.
    const std::optional<qint16> comparatie = Compara_Versiune_Fisier(nou, instalat);
    if (comparatie && *comparatie != 1)
        return;
    if (existaInstalat && !salvat) {
        probleme.append(u"EXECUTABILUL NU A FOST INLOCUIT, NU EXISTA COPIA LUI : "_s + instalat);
        return;
    }
    // Started while the databases were updated.
    if (sys::isExecutableRunning(instalat)) {
        probleme.append(u"EXECUTABILUL NU A FOST INLOCUIT, "_s + textRuleaza(instalat));
        return;
    }
    const QString eroare = copiaza(nou, instalat);
    if (!eroare.isEmpty())
        probleme.append(eroare);
}

// The contents of the package's Tarif folder into the CN folder: every file
// written beside its target first, then all put in place; one that cannot
// be written leaves the CN folder as it was.
void copiazaTarife(const QString& sursa, const QString& tinta, QStringList& probleme)
{
    QDir().mkpath(tinta);
    if (!QFileInfo(sursa).isDir())
        return;
    std::vector<std::pair<QString, std::unique_ptr<QSaveFile>>> copii;
    QDirIterator it(sursa, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString fisier = it.next();
        const QString destinatie = tinta + QDir(sursa).relativeFilePath(fisier);
        const QString folder = QFileInfo(destinatie).absolutePath();
        QString motiv;
        if (!QDir().mkpath(folder)) {
            motiv = u"Nu se poate crea directorul "_s + folder;
        } else {
            copii.emplace_back(fisier, std::make_unique<QSaveFile>(destinatie));
            motiv = scrieCopie(fisier, *copii.back().second);
        }
        if (!motiv.isEmpty()) {
            probleme.append(textCopiere(fisier, destinatie, motiv) + u"\r\n   TARIFELE NU AU FOST COPIATE"_s);
            return; // the side files go with their QSaveFile
        }
    }
    for (const auto& [fisier, copie] : copii)
        if (!copie->commit())
            probleme.append(textCopiere(fisier, copie->fileName(), copie->errorString()));
}

bool existaPachet(const QString& pachet)
{
    for (const QString& parte : {u"EXE"_s, u"SQL"_s, u"SYSTEM"_s, u"Tarif"_s})
        if (QFileInfo(pachet + parte).isDir())
            return true;
    return false;
}

Rezultat_Actualizare oprire(const QString& motiv)
{
    Rezultat_Actualizare r;
    r.oprire = motiv;
    return r;
}

} // namespace

void Citeste_Foldere_Registru()
{
    const reg::HKEY hklm = Return_HKEY(u"HKEY_LOCAL_MACHINE"_s);
    Folder_BazaDate_Update =
        Citeste_Valoare_Registru(hklm, Cheie_FileLocation_Update, u"DataBase"_s).toText();
    Folder_Program_Update = Citeste_Valoare_Registru(hklm, Cheie_Program_Update, u"AppPath"_s).toText();
}

std::optional<Scripturi_Pachet> Citeste_Scripturi_Pachet(const QString& folderPachet, QString* eroare)
{
    const QString pachet = cuSeparator(folderPachet);
    std::optional<QList<Script_Actualizare>> comun =
        citesteScripturi(pachet + u"SQL/Comun/"_s, false, eroare);
    if (!comun)
        return std::nullopt;
    std::optional<QList<Script_Actualizare>> baze = citesteScripturi(pachet + u"SQL/DB/"_s, true, eroare);
    if (!baze)
        return std::nullopt;
    return Scripturi_Pachet{*comun, *baze};
}

std::optional<Esec_Script> Execute_Comun(db::Connection& conexiune, const Scripturi_Pachet& scripturi,
                                         const std::function<void()>& dupaFisier)
{
    return executaScripturi(conexiune, scripturi.comun, dupaFisier);
}

std::optional<Esec_Script> Execute_DB(db::Connection& conexiune, const Scripturi_Pachet& scripturi,
                                      const std::function<void()>& dupaFisier)
{
    return executaScripturi(conexiune, scripturi.db, dupaFisier);
}

QString Nume_Copie_Executabil(const QDate& data, const QString& formatDataScurta)
{
    QString text = data.toString(formatDataScurta);
    text.replace(u'/', u'_');
    text.replace(u'\\', u'_');
    return text + u'_' + kExecutabil;
}

Rezultat_Actualizare Actualizeaza_Quorvel(const std::function<void()>& reimprospatare)
{
    const QString baza = cuSeparator(Folder_BazaDate_Update);
    const QString program = cuSeparator(Folder_Program_Update);
    const QString pachet = cuSeparator(Folder_Pachet_Update);

    // Nothing is changed unless the installation and the package are there
    // and every script can be read.
    if (!QFileInfo(program).isDir())
        return oprire(u"EROARE MAJORA, NU EXISTA DIRECTORUL : \r\n"_s + program);
    // A folder with neither the program nor its databases is no program
    // folder: it would receive a backup folder and an executable of its own.
    // (An installation that lost its executable gets the package's.)
    const QString bazaProgram = u"System/DataBase/Comun.mdb"_s;
    if (!QFileInfo(program + kExecutabil).isFile() && !QFileInfo(program + bazaProgram).isFile())
        return oprire(u"DIRECTORUL NU ESTE AL PROGRAMULUI Quorvel : \r\n"_s + program + u"\r\n"_s +
                      u"Nu contine nici "_s + kExecutabil + u", nici "_s + bazaProgram + u"."_s);
    if (sys::isExecutableRunning(program + kExecutabil))
        return oprire(textRuleaza(program + kExecutabil));
    if (!existaPachet(pachet))
        return oprire(u"NU EXISTA PACHETUL DE ACTUALIZARE IN : \r\n"_s + pachet);
    QString eroare;
    const std::optional<Scripturi_Pachet> scripturi = Citeste_Scripturi_Pachet(pachet, &eroare);
    if (!scripturi)
        return oprire(eroare);
    const QString caleComun = baza + u"Comun.mdb"_s;
    if (!Exista_Fisier(caleComun))
        return oprire(u"EROARE MAJORA, NU EXISTA FISIERUL : \r\n"_s + caleComun);
    db::Connection comun;
    if (const db::Error e = deschideBaza(comun, caleComun))
        return oprire(textDeschidere(caleComun, e));

    Rezultat_Actualizare r;
    r.facuta = true;
    // Each database file once, however often the register names it.
    QSet<QString> actualizate{QFileInfo(caleComun).canonicalFilePath()};
    if (const std::optional<Esec_Script> esec = Execute_Comun(comun, *scripturi, reimprospatare))
        r.probleme.append(textEsec(caleComun, *esec));
    if (reimprospatare)
        reimprospatare();

    QStringList baze;
    const db::Result<db::Recordset> firme = comun.openRecordset(
        u"SELECT DataBaseFile FROM Firme"_s, db::CursorType::Static, db::LockType::ReadOnly);
    if (!firme) {
        r.probleme.append(u"NU SE POATE CITI LISTA FIRMELOR : "_s + caleComun + u"\r\n   "_s +
                          firme.error().description);
    } else {
        db::Recordset rs = *firme;
        for (; !rs.eof(); rs.moveNext())
            baze.append(baza + Fara_Blancuri_Margine(rs.value(0).toText()));
        rs.close();
    }
    baze.append(baza + u"goala.mdb"_s);
    for (const QString& cale : std::as_const(baze)) {
        if (!Exista_Fisier(cale)) {
            r.probleme.append(u"NU EXISTA FISIERUL : "_s + cale);
            continue;
        }
        const QString canonic = QFileInfo(cale).canonicalFilePath();
        if (actualizate.contains(canonic))
            continue;
        actualizate.insert(canonic);
        actualizeazaBaza(cale, *scripturi, reimprospatare, r.probleme);
        if (reimprospatare)
            reimprospatare();
    }
    comun.close();

    actualizeazaExecutabil(program, pachet, r.probleme);
    const QString grila = pachet + u"SYSTEM/SQL/Intrastat.txt"_s;
    if (Exista_Fisier(grila)) {
        const QString eroareGrila = copiaza(grila, program + u"System/SQL/Intrastat.txt"_s);
        if (!eroareGrila.isEmpty())
            r.probleme.append(eroareGrila);
    }
    if (reimprospatare)
        reimprospatare();
    copiazaTarife(pachet + u"Tarif/"_s, baza + u"CN/"_s, r.probleme);
    return r;
}

QString Mesaj_Final(const Rezultat_Actualizare& rezultat)
{
    if (rezultat.probleme.isEmpty())
        return u"Actualizare Terminata !"_s;
    return u"ACTUALIZARE TERMINATA CU ERORI :\r\n\r\n"_s + rezultat.probleme.join(u"\r\n\r\n"_s);
}
