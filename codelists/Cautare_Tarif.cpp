#include "Cautare_Tarif.h"

#include "common/Globale.h"

#include <memory>
#include <optional>

namespace {

const QString kInterogare =
    QStringLiteral("SELECT HS8_COD, LEFT(MAX(DESCRIERE),250) AS DESCRIERE1, MAX(UM_SUPL) AS UM_SUPL1, "
                   "IIF(ISNULL(MAX([UM_SUPL]))=0,1,0) AS EXISTA_UM FROM HS_8 WHERE [HS8_COD]=?1 "
                   "AND ISNULL([AN_END])=-1 AND ISNULL([HS8_COD])=0 GROUP BY HS8_COD");

// The statement is prepared once per open tariff connection and reused.
struct Pregatita
{
    const void* conexiune = nullptr;
    std::unique_ptr<db::Statement> stmt;
};

Pregatita& pregatita()
{
    static Pregatita p;
    return p;
}

} // namespace

void Elibereaza_Cautare_Tarif()
{
    pregatita().stmt.reset();
    pregatita().conexiune = nullptr;
}

namespace {

// One run of the prepared statement; nothing when the statement cannot run.
std::optional<QString> Ruleaza(const QString& cod)
{
    Pregatita& p = pregatita();
    if (!p.stmt || p.conexiune != Conexiune_CN.impl().get()) {
        Elibereaza_Cautare_Tarif();
        auto s = db::Statement::prepare(Conexiune_CN, kInterogare);
        if (!s)
            return std::nullopt;
        p.stmt = std::make_unique<db::Statement>(std::move(*s));
        p.conexiune = Conexiune_CN.impl().get();
    }
    db::Statement& st = *p.stmt;
    st.reset();
    if (st.bind(1, db::Variant(cod)))
        return std::nullopt;
    const auto rand = st.step();
    if (!rand)
        return std::nullopt;
    QString rezultat;
    if (*rand) {
        QString descriere = st.column(1).toText();
        descriere.replace(u'|', u'/');
        rezultat = descriere + u'|' + st.column(2).toText() + u'|' + st.column(3).toText();
    }
    st.reset();
    return rezultat;
}

} // namespace

QString Cauta_Cod_Tarif(const QString& cod)
{
    if (!Conexiune_CN.isOpen()) {
        Elibereaza_Cautare_Tarif();
        return QString();
    }
    if (auto r = Ruleaza(cod))
        return *r;
    // The connection may have been closed and opened again under the
    // statement: prepare it anew once.
    Elibereaza_Cautare_Tarif();
    return Ruleaza(cod).value_or(QString());
}
