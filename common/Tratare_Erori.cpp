#include "common/Tratare_Erori.h"

#include "common/Globale.h"
#include "platform/ui/mesaj.h"

using namespace Qt::StringLiterals;

QString Text_Eroare(const QString& /*numeFereastra*/, std::int16_t numar, const QString& sursa,
                    const QString& descriere)
{
    const QString nedeterminabila = u"EROARE NEDETERMINABILA"_s;
    if (!Conexiune_Comun.isOpen())
        return nedeterminabila;
    const QString procedura = u"Return_Error"_s;
    const db::Result<QVector<db::Parameter>> parametri = Conexiune_Comun.parameters(procedura);
    if (!parametri || parametri->size() < 4)
        return nedeterminabila;

    // Positions: 0 the return value, 1 the source, 2 the number, 3 in and out.
    const QVector<db::Variant> intrari{db::Variant(), db::Variant(sursa), db::Variant(int(numar)),
                                       db::Variant(0)};
    const db::Result<QVector<db::Variant>> iesiri = Conexiune_Comun.runProcedure(procedura, intrari);
    if (!iesiri || iesiri->size() < 4)
        return nedeterminabila;
    const db::Variant& cunoscuta = iesiri->at(3);
    if (cunoscuta.isNull())
        return u"Sursa Eroare:"_s + sursa + u"\r\n"_s + u"Descriere Eroare: "_s + descriere;
    return u"Eroare nr: "_s + QString::number(numar) + u"\r\n"_s + u"Descriere Eroare: "_s +
           cunoscuta.toText() + u"\r\n"_s + descriere;
}

void Arata_Eroare_Baza(const db::Error& eroare, std::optional<QString> titlu)
{
    ui::msgBox(u"EROARE : "_s + QString::number(eroare.number) + u"\r\n"_s + eroare.description,
               ui::Icon::Critical, ui::Buttons::Ok, std::move(titlu));
}
