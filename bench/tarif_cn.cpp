#include "bench/tarif_cn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bench {

Tarif_CN Citeste_Tarif_CN()
{
    Tarif_CN t;
    t.cale = QStringLiteral(QUORVEL_APP_DIR "/System/DataBase/CN/CN2026.mdb");
    if (!QFile::exists(t.cale)) {
        t.eroare = QStringLiteral("no %1 (build the install tree)").arg(t.cale);
        return t;
    }
    db::Connection cn;
    if (const db::Error e = cn.open(QStringLiteral("Data Source=") + db::quoted(t.cale) +
                                    QStringLiteral(";Mode=Read"))) {
        t.eroare = QStringLiteral("cannot open %1: %2").arg(t.cale, e.text());
        return t;
    }
    auto rs = cn.openRecordset(QStringLiteral("SELECT HS8_COD, DESCRIERE, UM_SUPL FROM HS8 ORDER BY HS8_COD"),
                               db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs) {
        t.eroare = QStringLiteral("cannot read %1: %2").arg(t.cale, rs.error().text());
        return t;
    }
    for (; !rs->eof(); rs->moveNext())
        t.coduri.append({rs->value(0).toText(), rs->value(1).toText(), rs->value(2).toText()});
    if (t.coduri.size() < 9000) {
        t.eroare = QStringLiteral("%1 holds %2 codes, not the whole nomenclature").arg(t.cale).arg(t.coduri.size());
        t.coduri.clear();
    }
    return t;
}

Tarif_CN Copiaza_Tarif_CN(const QString& cale)
{
    Tarif_CN t = Citeste_Tarif_CN();
    if (!t.eroare.isEmpty())
        return t;
    QDir().mkpath(QFileInfo(cale).absolutePath());
    QFile::remove(cale);
    if (!QFile::copy(t.cale, cale)) {
        t.eroare = QStringLiteral("cannot copy %1 to %2").arg(t.cale, cale);
        t.coduri.clear();
        return t;
    }
    t.cale = cale;
    return t;
}

} // namespace bench
