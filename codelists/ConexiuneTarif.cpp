#include "ConexiuneTarif.h"

#include "codelists/Cautare_Tarif.h"
#include "common/Globale.h"
#include "common/Verifica_Exista_Fisier.h"
#include "platform/ui/mesaj.h"

#include <QFileInfo>

namespace {

const QString kMesajTabela = QStringLiteral("Nu se poate identifica tabela tarif vamal");
const QString kMesajFisier = QStringLiteral("Nu se poate identifica fisierul pentru tabela tarif vamal");
const QString kTitlu = QStringLiteral("EROARE");

void Arata_Eroare(const QString& text)
{
    ui::msgBox(text, ui::Icon::Critical, ui::Buttons::Ok, kTitlu);
}

} // namespace

QString Conditie_Perioada_Versiune(int luna, int anul)
{
    const QString p = QString::number(anul * 12 + luna);
    return QStringLiteral("(Anul*12+Luna<=") + p + QStringLiteral(" AND Anul_End*12+Luna_End>=") + p +
           QStringLiteral(") OR (Anul*12+Luna<=") + p +
           QStringLiteral(" AND Anul_End IS NULL AND Luna_End IS NULL)");
}

db::Result<db::Recordset> Alege_Versiune_Cod(db::Connection& comun, int luna, int anul)
{
    const QString ordine = QStringLiteral(" ORDER BY Anul DESC, Luna DESC");
    auto rs = comun.openRecordset(QStringLiteral("SELECT * FROM InsCodeVersions WHERE ") +
                                      Conditie_Perioada_Versiune(luna, anul) + ordine,
                                  db::CursorType::Static, db::LockType::ReadOnly);
    if (!rs || rs->recordCount() > 0)
        return rs;
    rs->close();
    return comun.openRecordset(
        QStringLiteral("SELECT * FROM InsCodeVersions WHERE Anul_End IS NULL AND Luna_End IS NULL") + ordine,
        db::CursorType::Static, db::LockType::ReadOnly);
}

bool Deschide_Conexiune_Tarif(const short& Luna, const short& Anul)
{
    auto rs = Alege_Versiune_Cod(Conexiune_Comun, Luna, Anul);
    if (!rs) {
        Arata_Eroare(kMesajTabela + QStringLiteral("\r\n") + rs.error().description);
        return false;
    }
    if (rs->recordCount() < 1) {
        rs->close();
        Arata_Eroare(kMesajTabela);
        return false;
    }
    rs->moveFirst();
    const QString fisier = rs->value(QStringLiteral("CN_File")).toText();
    rs->close();

    const QString cale = Folder_BazaDate + QStringLiteral("CN/") + fisier;
    if (fisier.trimmed().isEmpty() || !Exista_Fisier(cale)) {
        Arata_Eroare(kMesajFisier + QStringLiteral("\r\n") + cale);
        return false;
    }

    // The period's file already open is kept, and with it the look-ups it
    // has prepared.
    if (Conexiune_CN.isOpen() &&
        QFileInfo(cale).canonicalFilePath() == QFileInfo(Conexiune_CN.path()).canonicalFilePath())
        return true;

    // The new file is opened before the old connection is let go, so a file
    // that is damaged or locked leaves the earlier tariff in use.
    db::Connection noua;
    const db::Error e = noua.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                  db::quoted(cale) + QStringLiteral(";Mode=Read|Write"));
    if (e) {
        Arata_Eroare(kMesajFisier + QStringLiteral("\r\n") + cale + QStringLiteral("\r\n") + e.description);
        return false;
    }
    Elibereaza_Cautare_Tarif();
    if (Conexiune_CN.isOpen())
        Conexiune_CN.close();
    Conexiune_CN = noua;
    return true;
}
