#include "Transfera_Excel.h"

#include "common/Deschide_Fisier.h"
#include "platform/excel/writer.h"
#include "platform/sys/clock.h"
#include "platform/sys/system.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QFile>

namespace {

Deschidere_Fisier& deschidere()
{
    static Deschidere_Fisier d;
    return d;
}

QString& ultimul()
{
    static QString u;
    return u;
}

void Arata_Eroare(int numar, const QString& descriere)
{
    ui::msgBox(QString::number(numar) + QStringLiteral("\r\n") + descriere, ui::Icon::Critical,
               ui::Buttons::Ok, QStringLiteral("EROARE"));
}

} // namespace

void Seteaza_Deschidere_Export(Deschidere_Fisier d)
{
    deschidere() = std::move(d);
}

QString Ultimul_Fisier_Exportat()
{
    return ultimul();
}

QString Folder_Export_Excel()
{
    const QString folder = sys::userTempFolder(QStringLiteral("Quorvel_Export"));
    return folder.isEmpty() ? folder : folder + u'/';
}

void Exporta_In_Excel(db::Recordset& rs)
{
    if (!rs.isOpen()) {
        Arata_Eroare(db::ErrorNumber::ObjectClosed, QStringLiteral("Setul de inregistrari nu este deschis"));
        return;
    }
    QStringList antet;
    for (int i = 0; i < rs.fieldCount(); ++i)
        antet.append(rs.field(i).name);

    // From the current position to the end, without moving the record set.
    int rand = rs.eof() ? rs.rowCount() : (rs.bof() ? 0 : rs.currentRow());
    if (rand < 0)
        rand = rs.rowCount();
    const int campuri = rs.fieldCount();
    const excel::RowReader urmator = [&](QList<db::Variant>& valori) {
        if (rand >= rs.rowCount())
            return false;
        valori.clear();
        for (int c = 0; c < campuri; ++c)
            valori.append(rs.valueAt(rand, c));
        ++rand;
        return true;
    };

    const QString folder = Folder_Export_Excel();
    if (folder.isEmpty()) {
        Arata_Eroare(db::ErrorNumber::General,
                     QStringLiteral("Folderul pentru export nu poate fi creat in ") + QDir::tempPath());
        return;
    }
    const QString baza =
        QStringLiteral("Export_") + sys::Clock::now().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString cale = folder + baza + QStringLiteral(".xlsx");
    for (int n = 2; QFile::exists(cale); ++n)
        cale = folder + baza + u'_' + QString::number(n) + QStringLiteral(".xlsx");

    const excel::WriteError e = excel::writeWorkbook(cale, QStringLiteral("Sheet1"), antet, urmator);
    if (e.isError()) {
        Arata_Eroare(e.number, e.description);
        return;
    }
    // The desktop's opener, its answer waited for: a workbook nothing opens
    // is said, with where it was written.
    const std::optional<QString> motiv =
        deschidere() ? deschidere()(cale) : Porneste_Deschiderea(QStringLiteral("xdg-open"), {cale});
    if (motiv) {
        Arata_Eroare(db::ErrorNumber::General, Text_Fisier_Nedeschis(cale, *motiv));
        return;
    }
    ultimul() = cale;
    rs.close();
    rs = db::Recordset();
}

QList<QList<db::Variant>> Transpune_Matrice(const QList<QList<db::Variant>>& matrice)
{
    QList<QList<db::Variant>> t;
    for (qsizetype i = 0; i < matrice.size(); ++i) {
        for (qsizetype j = 0; j < matrice[i].size(); ++j) {
            if (t.size() <= j)
                t.resize(j + 1);
            if (t[j].size() <= i)
                t[j].resize(i + 1);
            t[j][i] = matrice[i][j];
        }
    }
    return t;
}
