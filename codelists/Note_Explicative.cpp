#include "codelists/Note_Explicative.h"

#include "codelists/Cautare_Tabele.h"

using namespace Qt::StringLiterals;

db::Result<QString> Note_Explicative(db::Connection& comun, const QString& cod, int cifre)
{
    const QString tabela = cifre == 4 ? u"HS_Note_4"_s : u"HS_Note_2"_s;
    db::Result<db::Recordset> rs =
        Deschide_Lista_Fereastra(comun,
                                 u"SELECT HS_Code, Note_Description From "_s + tabela +
                                     u" WHERE HS_Code ='"_s + db::quote(cod.left(cifre)) + u"'"_s,
                                 db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    const QString text = rs->eof() ? Text_Fara_Note : rs->value(u"Note_Description"_s).toText();
    rs->close();
    return text;
}
