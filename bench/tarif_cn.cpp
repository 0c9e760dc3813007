#include "bench/tarif_cn.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace bench {

namespace {

const QString kFisier = QStringLiteral("cnCodes_2026.json");

// The folders to look in, the first holding the list wins.
QStringList Foldere_CN()
{
    const QString ales = qEnvironmentVariable("QUORVEL_CN_DATA");
    if (!ales.isEmpty())
        return {ales};
    return {QDir::cleanPath(QStringLiteral(QUORVEL_SOURCE_DIR "/../shared/data/cn")),
            QDir::cleanPath(QStringLiteral(QUORVEL_SOURCE_DIR "/../../shared/data/cn"))};
}

} // namespace

Lista_CN Citeste_Coduri_CN()
{
    Lista_CN l;
    const QStringList foldere = Foldere_CN();
    QString cale;
    for (const QString& folder : foldere)
        if (QFile::exists(folder + u'/' + kFisier)) {
            cale = folder + u'/' + kFisier;
            break;
        }
    if (cale.isEmpty()) {
        l.eroare = QStringLiteral("no %1 in %2 (set QUORVEL_CN_DATA to the folder that holds it)")
                       .arg(kFisier, foldere.join(QStringLiteral(" or ")));
        return l;
    }
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly)) {
        l.eroare = QStringLiteral("cannot read %1: %2").arg(cale, f.errorString());
        return l;
    }
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &e);
    if (e.error != QJsonParseError::NoError || !doc.isArray()) {
        l.eroare = QStringLiteral("%1 is not a list of codes: %2")
                       .arg(cale, e.error != QJsonParseError::NoError ? e.errorString()
                                                                      : QStringLiteral("no array"));
        return l;
    }
    const QJsonArray a = doc.array();
    l.coduri.reserve(a.size());
    for (const QJsonValue& v : a) {
        const QJsonObject o = v.toObject();
        // supplementaryUnit is null for a code without one.
        l.coduri.append({o.value(QStringLiteral("code")).toString(),
                         o.value(QStringLiteral("name")).toString(),
                         o.value(QStringLiteral("supplementaryUnit")).toString()});
    }
    return l;
}

QList<Cod_CN> Coduri_Inventate(int n)
{
    QList<Cod_CN> l;
    l.reserve(n);
    // A step that reaches chapter 99 with 10,000 codes.
    for (int i = 0; i < n; ++i)
        l.append({QStringLiteral("%1").arg(10000000 + i * 8999, 8, 10, QLatin1Char('0')),
                  QStringLiteral("Descrierea codului %1, cu cai si alte animale vii").arg(i),
                  i % 2 ? QStringLiteral("p/st") : QString()});
    return l;
}

db::Error Creeaza_Tarif(const QString& cale, const QList<Cod_CN>& coduri)
{
    QFile schema(QStringLiteral(QUORVEL_SOURCE_DIR "/install/sql/cn_schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        return db::Error(db::Error::Kind::Io, db::ErrorNumber::General,
                         QStringLiteral("cannot read %1: %2").arg(schema.fileName(), schema.errorString()));
    if (db::Error e = db::Connection::createDatabase(cale))
        return e;
    db::Connection cn;
    if (db::Error e = cn.open(cale))
        return e;
    if (db::Error e = cn.executeScript(QString::fromUtf8(schema.readAll())))
        return e;
    return Umple_HS_8(cn, coduri);
}

db::Error Umple_HS_8(db::Connection& cn, const QList<Cod_CN>& coduri)
{
    db::Transaction t(cn);
    if (t.error())
        return t.error();
    if (auto r = cn.execute(QStringLiteral("DELETE FROM HS_8")); !r)
        return r.error();
    auto insert = db::Statement::prepare(
        cn,
        QStringLiteral("INSERT INTO HS_8 (HS8_COD, HS12_COD, DESCRIERE, UM_SUPL, AN_START, AN_END, HS6_COD) "
                       "VALUES (?1, ?1 || '0000', ?2, ?3, 2026, NULL, SUBSTR(?1, 1, 6))"));
    if (!insert)
        return insert.error();
    for (const Cod_CN& c : coduri) {
        insert->reset();
        insert->bind(1, c.cod);
        insert->bind(2, c.descriere);
        insert->bind(3, c.um.isEmpty() ? db::Variant::null() : db::Variant(c.um));
        if (auto r = insert->step(); !r)
            return r.error();
    }
    insert->reset();
    return t.commit();
}

} // namespace bench
