// The forms of numbers and dates under the locale the environment gives,
// chosen as the program chooses them at start: run by CTest once per kind of
// environment (no locale chosen: C, POSIX, C.UTF-8, nothing at all; Romanian;
// another locale chosen; a choice for numbers alone), each run naming the
// forms it must see in QUORVEL_FORMATE as "number|date|decimal sign|date
// separator|language".

#include "common/Setari_Regionale.h"
#include "platform/grid/format.h"
#include "platform/sys/system.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QtTest>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// The variables a locale is chosen by, as they stand.
QStringList mediul()
{
    QStringList v;
    for (const char* nume : std::array{"LC_ALL", "LANG", "LANGUAGE", "LC_NUMERIC", "LC_TIME", "LC_MONETARY",
                                       "LC_MESSAGES", "LC_MEASUREMENT", "LC_COLLATE"})
        v << QString::fromLatin1(nume) +
                 (qEnvironmentVariableIsSet(nume) ? u'=' + qEnvironmentVariable(nume) : u" unset"_s);
    return v;
}

QStringList g_inainte; // before the choice
QStringList g_dupa;    // after it

} // namespace

class TestFormateRegionale : public QObject
{
    Q_OBJECT

private slots:
    // What the grids, the totals and Qt's own dialogs show.
    void formele()
    {
        const QStringList asteptate = qEnvironmentVariable("QUORVEL_FORMATE").split(u'|');
        if (asteptate.size() != 5)
            QSKIP("run by CTest, which names the forms each environment must give");
        const db::Variant suma(12500.0);
        const db::Variant data(QDateTime(QDate(2026, 12, 11), QTime(0, 0)));
        QCOMPARE(grid::formatValue(suma, u"##,##0.00"_s), asteptate.at(0));
        QCOMPARE(grid::formatValue(data, QString()), asteptate.at(1));
        QCOMPARE(QLocale::system().toString(QDate(2026, 12, 11), QLocale::ShortFormat), asteptate.at(1));
        QCOMPARE(Separator_Zecimal(), asteptate.at(2));
        QCOMPARE(Separator_Data(), asteptate.at(3));
        // The language of the texts the system gives Qt (the kinds of files
        // in the file dialog).
        QCOMPARE(QLocale::system().uiLanguages().value(0).left(2), asteptate.at(4));
        // A value edited in a grid cell reads back.
        QCOMPARE(grid::parseEditText(grid::editText(db::Variant(1234.5)), 5).asDouble(), 1234.5);
    }

    // The choice leaves the environment as the user had it: the C library
    // and the programs started from here see the user's own choice.
    void mediulRamaneAlUtilizatorului() { QCOMPARE(g_dupa, g_inainte); }
};

int main(int argc, char** argv)
{
    g_inainte = mediul();
    sys::useRomanianWhenNoLocale();
    g_dupa = mediul();
    QCoreApplication app(argc, argv);
    TestFormateRegionale t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_formate_regionale.moc"
