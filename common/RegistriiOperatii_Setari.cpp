#include "common/RegistriiOperatii_Setari.h"

#include "common/Folder_Program.h"
#include "common/Globale.h"
#include "common/Tratare_Erori.h"
#include "platform/db/db.h"
#include "platform/ui/mesaj.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString kConexiune = u"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=True;Data Source="_s;

// The root as the settings database writes it: a signed 32-bit decimal.
QString radacinaText(reg::HKEY radacina)
{
    return QString::number(static_cast<qint32>(radacina));
}

QString conditieCheie(reg::HKEY radacina, const QString& cheie)
{
    return u" WHERE [WIN_HKEY_Name]="_s + radacinaText(radacina) + u" AND [HKEY_Name]='"_s +
           db::quote(cheie) + u"'"_s;
}

QString conditieValoare(reg::HKEY radacina, const QString& cheie, const QString& nume)
{
    return conditieCheie(radacina, cheie) + u" AND [String]='"_s + db::quote(nume) + u"'"_s;
}

// Hands a database error to the caller, or shows it when the caller takes
// none.
void preda(const db::Error& e, db::Error* eroare)
{
    if (eroare) {
        *eroare = e;
        return;
    }
    Arata_Eroare_Baza(e);
}

db::Error deschide(db::Connection& cn)
{
    return cn.open(kConexiune + Cale_Baza_Registri());
}

std::optional<double> numar(const db::Variant& v)
{
    if (v.isEmpty())
        return 0.0;
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return std::nearbyint(d); // halves to even, as the default rounding mode does
}

} // namespace

QString Cale_Baza_Registri()
{
    return Folder_Program() + u"/System/Registry/reg.mdb"_s;
}

std::optional<qint32> Valoare_La_Long(const db::Variant& valoare)
{
    const std::optional<double> d = numar(valoare);
    if (!d || *d < std::numeric_limits<qint32>::min() || *d > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(*d);
}

std::optional<quint8> Valoare_La_Byte(const db::Variant& valoare)
{
    const std::optional<double> d = numar(valoare);
    if (!d || *d < 0 || *d > 255)
        return std::nullopt;
    return static_cast<quint8>(*d);
}

bool Exista_Cheie(reg::HKEY radacina, const QString& cheie, db::Error* eroare)
{
    if (Drepturi_HKLM) {
        reg::HKEY h = 0;
        const long cod = reg::openKey(radacina, cheie, reg::KEY_ALL_SPECIFIC, &h);
        if (cod == reg::ERROR_SUCCESS)
            reg::closeKey(h);
        return cod == reg::ERROR_SUCCESS;
    }
    db::Connection cn;
    if (const db::Error e = deschide(cn)) {
        preda(e, eroare);
        return false;
    }
    db::Result<db::Recordset> rs =
        cn.openRecordset(u"SELECT * FROM [RegTable]"_s + conditieCheie(radacina, cheie));
    if (!rs.ok()) {
        preda(rs.error(), eroare);
        return false;
    }
    const bool exista = rs.value().recordCount() > 0;
    cn.close();
    return exista;
}

qint32 Creeaza_Cheie(const QString& cheie, reg::HKEY radacina)
{
    if (Drepturi_HKLM) {
        reg::HKEY h = 0;
        const long cod = reg::createKey(radacina, cheie, reg::KEY_ALL_SPECIFIC, &h);
        if (cod == reg::ERROR_SUCCESS)
            reg::closeKey(h);
        return static_cast<qint32>(cod);
    }
    db::Connection cn;
    if (const db::Error e = deschide(cn))
        return e.number != 0 ? e.number : -1;
    db::Result<db::Recordset> rs =
        cn.openRecordset(u"SELECT * FROM [RegTable]"_s + conditieCheie(radacina, cheie));
    if (!rs.ok())
        return rs.error().number != 0 ? rs.error().number : -1;
    if (rs.value().recordCount() == 0) {
        const db::Result<qint64> r =
            cn.execute(u"INSERT INTO [RegTable] "_s + u"(WIN_HKEY_Name, HKEY_Name) "_s + u"VALUES ("_s +
                       radacinaText(radacina) + u", '"_s + db::quote(cheie) + u"')"_s);
        if (!r.ok())
            return r.error().number != 0 ? r.error().number : -1;
    }
    cn.close();
    return 0;
}

void Seteaza_Valoare(reg::HKEY radacina, const QString& cheie, const QString& nume,
                     const db::Variant& valoare, int tip, db::Error* eroare)
{
    if (Drepturi_HKLM) {
        reg::HKEY h = 0;
        reg::openKey(radacina, cheie, reg::KEY_ALL_SPECIFIC, &h);
        Scrie_Valoare_Cheie_Deschisa(h, nume, tip, valoare);
        reg::closeKey(h);
        return;
    }
    db::Connection cn;
    if (const db::Error e = deschide(cn)) {
        preda(e, eroare);
        return;
    }
    const QString conditie = conditieValoare(radacina, cheie, nume);
    db::Result<db::Recordset> rs = cn.openRecordset(u"SELECT * FROM [RegTable_Value]"_s + conditie);
    if (!rs.ok()) {
        preda(rs.error(), eroare);
        return;
    }
    const QString text = db::quote(valoare.toText());
    db::Result<qint64> r =
        rs.value().recordCount() == 0
            ? cn.execute(u"INSERT INTO [RegTable_Value]"_s +
                         u" ([WIN_HKEY_Name], [HKEY_Name], [String], [Value], [ValueType])"_s +
                         u" VALUES("_s + radacinaText(radacina) + u", '"_s + db::quote(cheie) + u"', '"_s +
                         db::quote(nume) + u"', '"_s + text + (tip == 1 ? u"' , 'T')"_s : u"' , 'N')"_s))
            : cn.execute(u"UPDATE [RegTable_Value]"_s + u" SET [Value]='"_s + text + u"'"_s + conditie);
    if (!r.ok())
        preda(r.error(), eroare);
    cn.close();
}

db::Variant Citeste_Valoare(reg::HKEY radacina, const QString& cheie, const QString& nume, db::Error* eroare)
{
    if (Drepturi_HKLM)
        return Citeste_Valoare_Registru(radacina, cheie, nume);
    db::Connection cn;
    if (const db::Error e = deschide(cn)) {
        preda(e, eroare);
        return db::Variant();
    }
    db::Result<db::Recordset> rs = cn.openRecordset(u"SELECT [Value], [ValueType] FROM [RegTableToate]"_s +
                                                    conditieValoare(radacina, cheie, nume));
    if (!rs.ok()) {
        preda(rs.error(), eroare);
        return db::Variant();
    }
    db::Recordset& r = rs.value();
    const db::Variant valoare = r.eof() ? db::Variant(QString()) : db::Variant(r.value(u"Value"_s).toText());
    cn.close();
    return valoare;
}

bool Scrie_Registru_Windows(reg::HKEY radacina, const QString& cheie, const QString& nume,
                            const db::Variant& valoare, int tip)
{
    reg::HKEY h = 0;
    reg::openKey(radacina, cheie, reg::KEY_ALL_SPECIFIC, &h);
    const long cod = Scrie_Valoare_Cheie_Deschisa(h, nume, tip, valoare);
    reg::closeKey(h);
    return cod == reg::ERROR_SUCCESS;
}

long Scrie_Valoare_Cheie_Deschisa(reg::HKEY cheie, const QString& nume, int tip, const db::Variant& valoare)
{
    if (tip == 1) {
        if (valoare.isNull())
            return reg::ERROR_INVALID_PARAMETER;
        const QString text = valoare.toText() + QChar(u'\0');
        return reg::setTextValue(cheie, nume, text, static_cast<std::uint32_t>(text.size()));
    }
    if (tip == 4) {
        const std::optional<qint32> n = Valoare_La_Long(valoare);
        if (!n)
            return reg::ERROR_INVALID_PARAMETER;
        return reg::setDWordValue(cheie, nume, static_cast<std::uint32_t>(*n));
    }
    return reg::ERROR_INVALID_PARAMETER; // another type: nothing is written
}
