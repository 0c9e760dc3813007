#include "import/Preluare_Contabilitate.h"

#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "import/Preluare_Excel.h"
#include "platform/sys/clock.h"
#include "platform/ui/mesaj.h"

using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;
const QString kSeparator = u" - "_s;

const QString kPerioadeIntrari =
    u"SELECT DATEPART(yyyy, Document_Intern_Data) AS An, DATEPART(mm, Document_Intern_Data) AS Luna"_s +
    u" From Intrari_Antet"_s +
    u" GROUP BY DATEPART(yyyy, Document_Intern_Data), DATEPART(mm, Document_Intern_Data)  ORDER BY AN DESC, "
    u"Luna DESC"_s;
const QString kPerioadeIesiri =
    u"SELECT DATEPART(yyyy, Data_Livrarii) AS An, DATEPART(mm, Data_Livrarii) AS Luna"_s +
    u" From Factura_Export_Antet"_s +
    u" GROUP BY DATEPART(yyyy, Data_Livrarii), DATEPART(mm, Data_Livrarii) ORDER BY AN DESC, Luna DESC"_s;

void eroare(const QString& text, const db::Error& e)
{
    ui::msgBox(text + kCrLf + u"EROARE : "_s + QString::number(e.number) + kCrLf + e.description,
               ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

// The procedure of the flow, in one transaction with nothing else: its
// delete and its insert are kept together or not at all.
db::Error ruleazaPreluarea(const QString& procedura, const Rezultat_Preluare_Contabila& cheie)
{
    db::Transaction tranzactie(Conexiune_Firma);
    if (tranzactie.error())
        return tranzactie.error();
    const auto rulata = Conexiune_Firma.runProcedure(
        procedura, {db::Variant(), db::Variant(cheie.tip), db::Variant(cheie.codFiscal),
                    db::Variant(cheie.anul), db::Variant(cheie.luna)});
    if (!rulata)
        return rulata.error();
    return tranzactie.commit();
}

} // namespace

QStringList Fluxuri_Preluare()
{
    return {u"I - Pentru achizitii (INTRARI)"_s, u"O - Pentru livrari (IESIRI)"_s};
}

QString Litera_Flux(const QString& flux)
{
    return flux.left(1);
}

QStringList Perioade_Contabile(const QString& litera)
{
    QStringList perioade;
    const auto rs = Conexiune_Firma.openRecordset(litera == u"I"_s ? kPerioadeIntrari : kPerioadeIesiri,
                                                  db::CursorType::Static, db::LockType::ReadOnly);
    if (!rs)
        eroare(u"NU SE POT CITI LUNILE DOCUMENTELOR CONTABILE"_s, rs.error());
    if (!rs || rs->recordCount() == 0) {
        const QDate azi = sys::Clock::today();
        perioade << QString::number(azi.year()) + kSeparator + QString::number(azi.month());
    }
    if (!rs)
        return perioade;
    db::Recordset randuri = *rs;
    for (randuri.moveFirst(); !randuri.eof(); randuri.moveNext())
        perioade << randuri.value(0).toText() + kSeparator + randuri.value(1).toText();
    randuri.close();
    return perioade;
}

std::pair<QString, QString> Imparte_Perioada_Contabila(const QString& perioada)
{
    const qsizetype i = perioada.indexOf(kSeparator);
    if (i < 0)
        return {};
    return {perioada.left(i).trimmed(), perioada.mid(i + kSeparator.size()).trimmed()};
}

std::optional<bool> Exista_Declaratie_Contabila(const QString& litera, const QString& anul,
                                                const QString& luna)
{
    const auto valori =
        Conexiune_Firma.runProcedure(u"Intrastat_Verifica_Existenta"_s,
                                     {db::Variant(), db::Variant(litera), db::Variant(FirmaCurenta_CodFiscal),
                                      db::Variant(anul), db::Variant(luna), db::Variant::null()});
    if (!valori || valori->size() < 6)
        return std::nullopt;
    return valori->at(5).toBool();
}

Rezultat_Preluare_Contabila Preia_Luna_Contabila(const Cerere_Preluare_Contabila& cerere)
{
    Rezultat_Preluare_Contabila r;
    if (Este_Null(db::Variant(cerere.anul)) || Este_Null(db::Variant(cerere.luna)) ||
        Este_Null(db::Variant(cerere.flux)))
        return r;
    const auto perioada = Perioada_Intreaga_Sau_Mesaj(cerere.anul, cerere.luna);
    if (!perioada)
        return r;
    r.tip = Litera_Flux(cerere.flux);
    r.codFiscal = FirmaCurenta_CodFiscal;
    r.anul = QString::number(perioada->first);
    r.luna = QString::number(perioada->second);
    const QString procedura =
        r.tip == u"I"_s ? u"Intrastat_I"_s : (r.tip == u"O"_s ? u"Intrastat_O"_s : QString());

    // The lines about to be replaced are asked for even when the box was
    // ticked for another flow or period, or not at all.
    bool intreaba = cerere.existaDeclaratie;
    if (!intreaba && !procedura.isEmpty())
        intreaba = Exista_Declaratie_Contabila(r.tip, r.anul, r.luna).value_or(true);
    if (intreaba && ui::msgBox(u"Exista deja Intrastat pentru selectia curenta"_s + kCrLf +
                                   u"Continuati prin STERGEREA datelor Existente ? "_s,
                               ui::Icon::Question, ui::Buttons::YesNo) != ui::Answer::Yes) {
        r.deschide = true;
        return r;
    }
    if (!procedura.isEmpty()) {
        if (const db::Error e = ruleazaPreluarea(procedura, r)) {
            eroare(u"DATELE NU AU PUTUT FI PRELUATE, CELE EXISTENTE AU RAMAS NESCHIMBATE"_s, e);
            return r;
        }
        r.preluata = true;
    }
    r.deschide = true;
    return r;
}

QString Filtru_Preluare_Contabila(const Rezultat_Preluare_Contabila& r)
{
    return u" WHERE [TIP]='"_s + db::quote(r.tip) + u"'"_s + u" AND [Cod_Fiscal]='"_s +
           db::quote(r.codFiscal) + u"'"_s + u" AND [Anul]='"_s + db::quote(r.anul) + u"'"_s +
           u" AND [Luna]='"_s + db::quote(r.luna) + u"'"_s;
}
