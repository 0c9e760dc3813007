#include "reports/Raport_Definit.h"

#include "common/Folder_Program.h"
#include "common/Globale.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Exista_Fisier.h"
#include "platform/ui/mesaj.h"

#include <QLocale>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString kTitluEroare = u"EROARE TIPARIRE"_s;

void Arata_Eroare(const db::Error& e)
{
    Arata_Eroare_Baza(e, kTitluEroare);
}

db::Error Eroare_Definitie(const QString& text)
{
    return db::Error(db::Error::Kind::NotFound, db::ErrorNumber::NotInCollection, text, u"Frm_Report"_s);
}

db::Connection& Conexiune_Date(const db::Recordset& definitie)
{
    return definitie.value(u"ComunDataBase"_s).toBool() ? Conexiune_Comun : Conexiune_Firma;
}

// A whole number of a variant (a number, or a text holding one).
bool Numar_Intreg(const QVariant& v, qint64& n)
{
    const QString t = v.toString().trimmed();
    bool ok = false;
    n = t.toLongLong(&ok);
    return ok;
}

// Sets the text of a field; a field the definition lacks is passed over.
void Seteaza_Text(report::Report& r, const QString& sectiune, const QString& camp, const QString& text)
{
    if (report::Field* f = r.field(sectiune, camp))
        f->text = text;
}

// The sub-reports of Return_Report_SUB, at most three, in the query's order.
// Their data query is the same for all of them: it is read once, at the
// first sub-report, and each gets its own cursor over those rows.
db::Error Ataseaza_Subrapoarte(Raport_Definit& raport, qint32 numar, const QString& fisier,
                               db::Connection& conexiune, const QString& sql)
{
    db::Result<db::Recordset> sub = Conexiune_Comun.openRecordset(
        u"SELECT * FROM Return_Report_SUB WHERE REP_ID="_s + QString::number(numar), db::CursorType::Static,
        db::LockType::ReadOnly);
    if (!sub)
        return sub.error();
    db::Recordset date;
    std::size_t contor = 0;
    for (; !sub->eof() && contor < raport.SUB_SursaReport.size(); sub->moveNext(), ++contor) {
        if (!date.isOpen()) {
            db::Result<db::Recordset> citite =
                conexiune.openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
            if (!citite)
                return citite.error();
            date = *citite;
        }
        report::Report& membru = raport.SUB_SursaReport[contor];
        if (const db::Error e = membru.load(fisier, sub->value(u"REP_NAME"_s).toText()))
            return e;
        membru.setDataSource(date.clone());
        const QString sectiune = sub->value(u"SUB_LOCATIE"_s).toText();
        const QString nume = sub->value(u"SUB_NAME"_s).toText();
        report::Field* camp = raport.SursaReport.field(sectiune, nume);
        if (!camp)
            return Eroare_Definitie(u"The report has no field \""_s + nume + u"\" in section \""_s +
                                    sectiune + u'"');
        camp->subreport = &membru;
        // The report-wide field of that name (the first one) shows the sub-report
        // with the link as its text.
        if (report::Field* acelasi = raport.SursaReport.field(nume)) {
            acelasi->visible = true;
            acelasi->text = sub->value(u"Link_TEXT"_s).toText();
        }
    }
    sub->close();
    return {};
}

} // namespace

QString Conditie_Raport_Declaratie(const QVariantList& parametri)
{
    if (parametri.size() < 4)
        return QString();
    qint64 anul = 0;
    qint64 luna = 0;
    if (!Numar_Intreg(parametri.at(2), anul) || !Numar_Intreg(parametri.at(3), luna))
        return u" WHERE 0 = 1"_s;
    return u" WHERE [TIP]="_s + db::quoted(parametri.at(0).toString()) + u" AND [Cod_Fiscal]="_s +
           db::quoted(parametri.at(1).toString()) + u" AND [Anul]="_s + QString::number(anul) +
           u" AND [Luna]="_s + QString::number(luna);
}

Stare_Incarcare Incarca_Raport(Raport_Definit& raport, qint32 numar, const QString& sufix,
                               const QString& sufixSub)
{
    db::Result<db::Recordset> definitie =
        Conexiune_Comun.openRecordset(u"SELECT * FROM Return_Report WHERE REP_ID="_s + QString::number(numar),
                                      db::CursorType::Static, db::LockType::ReadOnly);
    if (!definitie) {
        Arata_Eroare(definitie.error());
        return Stare_Incarcare::Oprit;
    }
    if (definitie->eof()) {
        ui::msgBox(u"Eroare la determinare numar Report "_s, ui::Icon::Critical, ui::Buttons::Ok,
                   kTitluEroare);
        return Stare_Incarcare::Fara_Rand;
    }

    // The definition file: the stored path, or the name in the program folder.
    QString fisier;
    if (definitie->value(u"XML_DEF"_s).toInt() != 0) {
        fisier = definitie->value(u"XML_FILE"_s).toText();
        if (!Exista_Fisier(fisier)) {
            fisier =
                Folder_Program() + u"/System/ReportDefinition/"_s + definitie->value(u"XML_FILE"_s).toText();
            if (!Exista_Fisier(fisier)) {
                ui::msgBox(u"NU EXISTA FISIERUL : "_s + fisier, ui::Icon::Critical, ui::Buttons::Ok,
                           u"EROARE MAJORA"_s);
                return Stare_Incarcare::Oprit;
            }
        }
    }

    if (const db::Error e = raport.SursaReport.load(fisier, definitie->value(u"REP_NAME"_s).toText())) {
        Arata_Eroare(e);
        return Stare_Incarcare::Oprit;
    }
    const QString sql = definitie->value(u"SQL_STR"_s).toText();
    db::Connection& conexiune = Conexiune_Date(*definitie);
    db::Result<db::Recordset> date =
        conexiune.openRecordset(sql + sufix, db::CursorType::Static, db::LockType::ReadOnly);
    if (!date) {
        Arata_Eroare(date.error());
        return Stare_Incarcare::Oprit;
    }
    raport.Date = *date;
    if (definitie->value(u"Exista_SUB_Reports"_s).toBool()) {
        if (const db::Error e = Ataseaza_Subrapoarte(raport, numar, fisier, conexiune, sql + sufixSub)) {
            Arata_Eroare(e);
            return Stare_Incarcare::Oprit;
        }
    }
    // Page set-up; a value that is not a known code leaves the definition's.
    bool ok = false;
    const int hartie = definitie->value(u"PageSize"_s).toInt(&ok);
    if (ok)
        raport.SursaReport.setPaperSize(hartie);
    const int orientare = definitie->value(u"PageOrientation"_s).toInt(&ok);
    if (ok)
        raport.SursaReport.setOrientation(orientare);

    raport.Captiune_Raport = definitie->value(u"ReportCaption"_s).toText();
    raport.Titlu = raport.Captiune_Raport;
    report::Report& r = raport.SursaReport;
    Seteaza_Text(r, QString::fromUtf16(report::kHeader), u"Rep_ID"_s, definitie->value(0).toText());
    Seteaza_Text(r, QString::fromUtf16(report::kHeader), u"USER"_s,
                 Utilizator_Windows + u" / "_s + Nume_Calculator);
    Seteaza_Text(r, QString::fromUtf16(report::kFooter), u"UserName"_s, Utilizator_Windows);
    Seteaza_Text(r, QString::fromUtf16(report::kHeader), u"Antet"_s,
                 FirmaCurenta_Nume + u"\r\n"_s + u"Adresa: "_s + FirmaCurenta_Adresa + u"\r\n"_s +
                     FirmaCurenta_Oras + u" - "_s + FirmaCurenta_CodPostal + u"\r\n"_s + u"Cod TVA: "_s +
                     FirmaCurenta_CodFiscal + u"\r\n"_s + u"Nr.Reg.Com: "_s + FirmaCurenta_RegCom +
                     u"\r\n"_s + u"Telefon: "_s + FirmaCurenta_Tel);
    Seteaza_Text(r, QString::fromUtf16(report::kPageFooter), u"Producator"_s,
                 Producator_NumeFirma + u"  Telefon : "_s + Producator_Telefon);
    definitie->close();
    return Stare_Incarcare::Incarcat;
}

bool Genereaza_Raport(Raport_Definit& raport)
{
    if (raport.SursaReport.busy())
        return false;
    raport.SursaReport.setDataSource(raport.Date);
    raport.SursaReport.render();
    if (raport.Date.isOpen() && !raport.Date.eof() && raport.Date.fieldIndex(u"Document_Numar"_s) >= 0 &&
        raport.Date.fieldIndex(u"Document_Data"_s) >= 0)
        raport.Titlu = raport.Titlu + u" : "_s + raport.Date.value(u"Document_Numar"_s).toText() + u" / "_s +
                       raport.Date.value(u"Document_Data"_s).toText();
    return true;
}

QString Format_Secunde(double secunde)
{
    const double rotunjit = std::round(secunde * 100.0) / 100.0;
    QString t = QString::number(rotunjit, 'f', 2);
    while (t.endsWith(u'0'))
        t.chop(1);
    if (t.startsWith(u"0."_s))
        t.remove(0, 1);
    else if (t.startsWith(u"-0."_s))
        t.remove(1, 1);
    return t.replace(u'.', QLocale().decimalPoint());
}
