#include "Cautare_Tabele.h"

#include "common/Globale.h"
#include "platform/grid/calling_grid.h"
#include "platform/ui/mesaj.h"

namespace {

// Field types whose Null is copied as 0 into pairs after the first.
bool Null_Ca_Zero(int tip)
{
    switch (tip) {
    case db::Type::Integer:
    case db::Type::Single:
    case db::Type::Double:
    case 14: // adDecimal
    case db::Type::BigInt:
    case db::Type::Numeric:
        return true;
    default:
        return false;
    }
}

// The blank test of Null_La_Valoare: Null, Empty or the empty text.
bool Este_Gol(const db::Variant& v)
{
    return v.isMissing() || (v.isText() && v.asText().isEmpty());
}

} // namespace

db::Connection& Conexiune_Cautare(bool peFirma, bool peTarif)
{
    if (peTarif)
        return Conexiune_CN;
    if (peFirma)
        return Conexiune_Firma;
    return Conexiune_Comun;
}

db::Result<db::Recordset> Deschide_Lista_Fereastra(db::Connection& conexiune, const QString& sql,
                                                   db::CursorType cursor, db::LockType blocare)
{
    if (!conexiune.isOpen())
        return db::Error(db::Error::Kind::Closed, db::ErrorNumber::ObjectClosed,
                         QStringLiteral("Baza de date nu este deschisa"));
    return conexiune.openRecordset(sql, cursor, blocare);
}

QString Interogare_Cautare(const QString& interogare, const QString& conditie, const QString& valoare)
{
    return interogare + conditie + db::quote(valoare) + u'\'';
}

bool Cauta_Si_Completeaza()
{
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    db::Connection& cn = Conexiune_Cautare(c.Cautare_PeFirma, c.Cautare_PeTarif);
    db::Result<db::Recordset> rs =
        Deschide_Lista_Fereastra(cn, c.Cautare_SQL, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (rs && rs->recordCount() > 0) {
        rs->moveFirst();
        const int n = c.Cautare_NrColoane;
        if (grid::CallingGrid* g = c.Cautare_GridApelant; g && n >= 1 && n <= 8) {
            for (int k = 1; k <= n; ++k) {
                const int sursa = c.Cautare_ColoaneSursa[k];
                db::Variant v = rs->value(sursa);
                if (n > 1 && Este_Gol(v)) {
                    if (k == 1)
                        v = db::Variant(QString());
                    else if (sursa >= 0 && sursa < rs->fieldCount() && Null_Ca_Zero(rs->field(sursa).type))
                        v = db::Variant(0);
                    else
                        v = db::Variant(QString());
                }
                g->setCell(c.Cautare_ColoaneDestinatie[k], v);
            }
        }
        c.Cautare_Rezultat = QStringLiteral("VALOARE GASITA: ") + rs->value(0).toText() +
                             QStringLiteral(" : ") + rs->value(1).toText();
        rs->close();
        if (c.Cautare_GridApelant)
            c.Cautare_GridApelant->takeFocus();
        return true;
    }
    if (rs)
        rs->close();
    c.Cautare_Rezultat = QStringLiteral("VALOARE NEGASITA : ") + c.Cautare_ValoareTastata;
    ui::msgBox(QStringLiteral("NU GASESC : ") + c.Cautare_ValoareTastata, ui::Icon::Critical, ui::Buttons::Ok,
               QStringLiteral("Mesaj"));
    return false;
}

bool Exista_Inregistrari(const QString& sql, const bool& peFirma, const bool& peTarif)
{
    db::Connection& cn = Conexiune_Cautare(peFirma, peTarif);
    if (!cn.isOpen())
        return false;
    auto rs = cn.openRecordset(sql, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs)
        return false;
    const bool exista = rs->recordCount() > 0;
    rs->close();
    return exista;
}
