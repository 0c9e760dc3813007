// The pictures of the user manual, taken from the program itself: a copy of
// the seeded program folder is started as a user starts it, the main road is
// walked through its own windows (company, template, import, grid,
// verification, declaration file, settings, print) and each window is
// grabbed as it shows, message boxes included. Offscreen, on a screen of a
// fixed size, with a fixed date and user, so that a new run after a change
// of the windows gives the same pictures where nothing changed.
//
// Usage: quorvel_capturi_manual <folder for the pictures> [<Manual.Html>]
// (scripts/manual-pictures.sh builds it and writes into install/files/Manual.)
// It ends with 1, naming what is missing, when a window or control of the
// road is not found, a picture cannot be written, or the manual given shows
// a picture the road did not take.

#include "Ferestre_Test.h"
#include "common/BUTOANE.h"
#include "common/Globale.h"
#include "platform/sys/clock.h"
#include "platform/sys/system.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj_widgets.h"
#include "platform/grid/grid.h"
#include "shell/Pornire.h"
#include "shell/Pornire_Pasi.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <deque>

using namespace Qt::StringLiterals;

namespace {

QString g_iesire;       // folder of the pictures
QStringList g_lipsuri;  // what could not be done
QStringList g_poze;     // pictures written

void lipsa(const QString& ce)
{
    g_lipsuri << ce;
    std::fprintf(stderr, "missing: %s\n", qPrintable(ce));
}

void pauza(int ms = 40)
{
    QTest::qWait(ms);
}

bool salveaza(const QImage& imagine, const QString& nume)
{
    const QString cale = g_iesire + u'/' + nume + u".png"_s;
    if (imagine.isNull() || !imagine.save(cale, "PNG")) {
        lipsa(u"picture "_s + cale);
        return false;
    }
    g_poze << nume;
    std::printf("%s.png\n", qPrintable(nume));
    return true;
}

bool fotografiaza(QWidget* w, const QString& nume)
{
    if (!w) {
        lipsa(u"window for "_s + nume);
        return false;
    }
    // The pointer off the flat buttons, which light up under it: a button
    // holding the pointer sees it leave, as on a desktop that lets it hold
    // the pointer (the offscreen screen does not).
    QTest::mouseMove(w, QPoint(w->width() - 1, w->height() - 1));
    const QList<ButonPlat*> butoane = w->findChildren<ButonPlat*>();
    for (ButonPlat* b : butoane) {
        if (b->arePointerul())
            Evidentiaza_Buton(b, -1, -1);
    }
    pauza();
    return salveaza(w->grab().toImage(), nume);
}

QWidget* fereastra(const QString& nume)
{
    QWidget* w = ui::Forms::get(nume);
    if (!w)
        lipsa(u"window "_s + nume);
    return w;
}

template <typename T = QWidget>
T* control(QWidget* w, const QString& nume)
{
    T* c = w ? w->findChild<T*>(nume) : nullptr;
    if (!c)
        lipsa(u"control "_s + nume + u" of "_s + (w ? w->objectName() : u"?"_s));
    return c;
}

void apasa(QWidget* w, const QString& nume)
{
    if (auto* b = control<QAbstractButton>(w, nume)) {
        QTest::mouseMove(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    pauza();
}

void scrie(QWidget* w, const QString& nume, const QString& text)
{
    if (auto* e = control<QLineEdit>(w, nume)) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Tab);
    }
}

// A combo box's text, then the focus leaves it, as the user's Tab.
void alege(QWidget* w, const QString& nume, const QString& text)
{
    if (auto* c = control<QComboBox>(w, nume))
        ferestre_test::Alege_In_Combo(c, text);
    pauza();
}

// A menu command of the main window, by its control name.
void meniu(const QString& nume)
{
    QWidget* principal = fereastra(u"Frm_Meniu_Principal"_s);
    QAction* a = nullptr;
    if (principal) {
        const QList<QAction*> actiuni = principal->findChildren<QAction*>(nume);
        if (!actiuni.isEmpty())
            a = actiuni.first();
    }
    if (!a) {
        lipsa(u"menu item "_s + nume);
        return;
    }
    a->trigger();
    pauza(100);
}

// The main window with one of its menus open, the menu drawn where it drops.
void meniuDeschis(const QString& meniuNume, const QString& nume)
{
    QWidget* principal = fereastra(u"Frm_Meniu_Principal"_s);
    auto* bara = principal ? principal->findChild<QMenuBar*>() : nullptr;
    auto* m = principal ? principal->findChild<QMenu*>(meniuNume) : nullptr;
    if (!bara || !m) {
        lipsa(u"menu "_s + meniuNume);
        return;
    }
    pauza();
    QImage imagine = principal->grab().toImage();
    const QRect titlu = bara->actionGeometry(m->menuAction());
    m->popup(bara->mapToGlobal(titlu.bottomLeft()));
    pauza(100);
    {
        QPainter p(&imagine);
        const QPoint loc = bara->mapTo(principal, titlu.bottomLeft());
        p.drawImage(loc, m->grab().toImage());
    }
    m->hide();
    salveaza(imagine, nume);
}

// Message boxes and modal windows as they open: each one expected is grabbed
// when a picture is asked for it, then answered or closed. A message box
// nobody expected gets its default answer and is named on the error output;
// other modal windows nobody expected (the progress of a long action) are
// left to run.
class Dialoguri : public QObject
{
public:
    struct Raspuns
    {
        QString poza;      // empty: no picture
        QString fereastra; // empty: a message box; else the modal window of that name
        QString text;      // how the message box's text starts
        QMessageBox::StandardButton buton = QMessageBox::NoButton; // none: the default
    };

    Dialoguri()
    {
        m_ceas.setInterval(30);
        connect(&m_ceas, &QTimer::timeout, this, &Dialoguri::verifica);
        m_ceas.start();
    }

    void mesaj(const QString& text, const QString& poza,
               QMessageBox::StandardButton buton = QMessageBox::NoButton)
    {
        m_coada.push_back({poza, QString(), text, buton});
    }
    void fereastra(const QString& nume, const QString& poza) { m_coada.push_back({poza, nume, {}, {}}); }
    // After the action that should have shown them: the ones that never came.
    void gata()
    {
        for (const Raspuns& r : m_coada)
            lipsa(u"dialog "_s + (r.fereastra.isEmpty() ? u"\""_s + r.text + u"...\""_s : r.fereastra) + u" for "_s +
                  (r.poza.isEmpty() ? u"(no picture)"_s : r.poza));
        m_coada.clear();
    }

private:
    void verifica()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) {
            m_vazut = nullptr;
            return;
        }
        if (w != m_vazut) { // let it lay itself out and paint first
            m_vazut = w;
            m_batai = 0;
            return;
        }
        if (++m_batai < 3)
            return;
        auto* box = qobject_cast<QMessageBox*>(w);
        const bool asteptat =
            !m_coada.empty() && (box ? m_coada.front().fereastra.isEmpty() &&
                                           box->text().startsWith(m_coada.front().text)
                                     : m_coada.front().fereastra == w->objectName());
        if (!asteptat && !box)
            return;
        m_vazut = nullptr;
        Raspuns r;
        if (asteptat) {
            r = m_coada.front();
            m_coada.pop_front();
        } else {
            std::printf("(answered with its default button: %s)\n", qPrintable(box->text()));
        }
        if (!r.poza.isEmpty())
            salveaza(w->grab().toImage(), r.poza);
        if (box) {
            QAbstractButton* b = r.buton != QMessageBox::NoButton ? box->button(r.buton) : nullptr;
            if (!b && box->defaultButton())
                b = box->defaultButton();
            if (!b)
                b = box->buttons().value(0);
            b ? b->click() : box->reject();
        } else if (auto* d = qobject_cast<QDialog*>(w)) {
            d->reject();
        } else if (ui::Forms::get(w->objectName()) == w) {
            ui::Forms::unload(w->objectName());
        } else {
            w->close();
        }
    }

    QTimer m_ceas;
    std::deque<Raspuns> m_coada;
    QWidget* m_vazut = nullptr;
    int m_batai = 0;
};

// Types into a grid cell as the user does: F2, the new text over the old
// one, Enter.
void tasteazaCelula(grid::Grid* g, int rand, const QString& camp, const QString& text)
{
    const int col = g ? g->columnForField(camp) : -1;
    if (col < 0) {
        lipsa(u"grid column "_s + camp);
        return;
    }
    g->setCurrentCell(rand, col);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_F2);
    auto* editor = g->isEditing() ? qobject_cast<QLineEdit*>(g->indexWidget(g->currentIndex())) : nullptr;
    if (!editor) {
        lipsa(u"an editor for the grid column "_s + camp);
        return;
    }
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    pauza();
}

// Leaves the line with an arrow key, which writes it.
void paraseste(grid::Grid* g)
{
    if (!g)
        return;
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Down);
    pauza();
}

bool copiaza(const QString& de, const QString& la)
{
    QDirIterator it(de, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString sursa = it.next();
        const QString tinta = la + sursa.mid(de.size());
        if (it.fileInfo().isDir() ? !QDir().mkpath(tinta) : !QFile::copy(sursa, tinta))
            return false;
    }
    return true;
}

// The road of the manual, in the order the manual tells it.
void drum(Dialoguri& dialoguri, const QString& program)
{
    // The company chooser, as the program starts.
    QWidget* selectie = fereastra(u"Frm_Selectie_Firma"_s);
    fotografiaza(selectie, u"01_selectare_firma"_s);
    if (auto* lista = control<QComboBox>(selectie, u"Cmb_Firma"_s)) {
        lista->setFocus();
        lista->setCurrentIndex(0);
        QTest::keyClick(lista, Qt::Key_Tab);
    }
    apasa(selectie, u"CmdOK"_s);
    pauza(100);
    meniuDeschis(u"Intrastat"_s, u"02_meniu_principal"_s);

    // A new company.
    meniu(u"CreareFirma"_s);
    QWidget* firma = fereastra(u"Frm_Creare_Firma"_s);
    scrie(firma, u"Firma_CF"_s, u"RO12345678"_s);
    scrie(firma, u"Firma_Nume"_s, u"EXEMPLU COMERT SRL"_s);
    scrie(firma, u"Firma_Adresa"_s, u"Str. Exemplului nr. 1"_s);
    scrie(firma, u"Firma_Judet"_s, u"Cluj"_s);
    scrie(firma, u"Firma_Oras"_s, u"Cluj-Napoca"_s);
    scrie(firma, u"Firma_Tara"_s, u"Romania"_s);
    scrie(firma, u"Firma_Telefon"_s, u"0264 000 000"_s);
    scrie(firma, u"Firma_Email"_s, u"contabilitate@exemplu.ro"_s);
    scrie(firma, u"Persoana_Intrastat"_s, u"Ion Popescu"_s);
    scrie(firma, u"Functie_1"_s, u"Contabil"_s);
    fotografiaza(firma, u"03_creare_firma"_s);
    dialoguri.mesaj(u"FIRMA A FOST CREATA"_s, u"04_firma_creata"_s);
    apasa(firma, u"CmdCreazaFirma"_s);
    pauza(100);
    dialoguri.gata();

    // A new template: its name and flow, before it is saved.
    meniu(u"Setare_Noua"_s);
    QWidget* macheta = fereastra(u"Frm_Structura_Fisiere"_s);
    scrie(macheta, u"NumeSalvare"_s, u"Livrari UE"_s);
    alege(macheta, u"ModPreluare"_s, u"LIVRARE"_s);
    fotografiaza(macheta, u"05_macheta_noua"_s);

    // The demonstration template, opened for changes: the sample's columns
    // are read when it shows.
    meniu(u"SetareExistenta"_s);
    QWidget* alegereMacheta = fereastra(u"Frm_Selectie_Mod_Preluare"_s);
    alege(alegereMacheta, u"TDBSelectieModPreluare"_s, u"Exemplu Livrari"_s);
    fotografiaza(alegereMacheta, u"06_alegere_macheta"_s);
    dialoguri.mesaj(u"Numar coloane in fisierul excel"_s, QString());
    apasa(alegereMacheta, u"CmdModifica"_s);
    pauza(150);
    dialoguri.gata();
    fotografiaza(fereastra(u"Frm_Structura_Fisiere"_s), u"07_macheta_coloane"_s);

    // The import of the sample workbook for March 2026.
    meniu(u"Intrastat_Preluare"_s);
    QWidget* preluare = fereastra(u"Frm_Preluare_Excel"_s);
    alege(preluare, u"Combo_NumeMacheta"_s, u"Exemplu Livrari"_s);
    scrie(preluare, u"Txt_ExcelFile"_s, program + u"/Exemple/Exemplu_Livrari.xlsx"_s);
    fotografiaza(preluare, u"08_preluare"_s);
    dialoguri.mesaj(u"Preluare Terminata"_s, u"09_preluare_terminata"_s);
    apasa(preluare, u"CmdReadFile"_s);
    pauza(100);
    dialoguri.gata();
    fotografiaza(preluare, u"10_preluare_gata"_s);
    apasa(preluare, u"CmdExit"_s);
    pauza(150);

    // The declaration window on the imported lines.
    QWidget* declaratie = fereastra(u"Frm_INTRASTAT"_s);
    fotografiaza(declaratie, u"11_declaratie"_s);
    auto* g = control<grid::Grid>(declaratie, u"GridIntrastat"_s);

    // A code picked from its list: the cell's button opens it.
    if (g) {
        const int col = g->columnForField(u"Tara_Dest"_s);
        g->setCurrentCell(2, col);
        dialoguri.fereastra(u"Frm_CautareTabele"_s, u"12_lista_coduri"_s);
        emit g->buttonClick(col);
        pauza(100);
        dialoguri.gata();
    }

    // A mistyped VAT number of the partner, written as a user would; the
    // verification finds it and it is corrected in the grid.
    tasteazaCelula(g, 2, u"VAT_ID"_s, u"UK12345678901"_s);
    paraseste(g);
    auto* taburi = control<QTabWidget>(declaratie, u"TabIntrastat"_s);
    if (taburi)
        taburi->setCurrentIndex(3);
    pauza();
    apasa(declaratie, u"Cmd_Verifica"_s);
    pauza(150);
    if (QWidget* probleme = ui::Forms::get(u"Frm_Intrastat_Probleme"_s)) {
        fotografiaza(probleme, u"13_probleme"_s);
        ui::Forms::unload(u"Frm_Intrastat_Probleme"_s);
        pauza();
    } else {
        lipsa(u"the problem report of the mistyped VAT number"_s);
    }
    tasteazaCelula(g, 2, u"VAT_ID"_s, u"IT12345678901"_s);
    fotografiaza(declaratie, u"14_corectare"_s);
    paraseste(g);
    dialoguri.mesaj(u"NU SUNT PROBLEME"_s, u"15_fara_probleme"_s);
    apasa(declaratie, u"Cmd_Verifica"_s);
    pauza(150);
    dialoguri.gata();

    // The declaration file.
    dialoguri.mesaj(u"A fost generat fisierul"_s, u"16_fisier_xml"_s);
    apasa(declaratie, u"Cmd_Fisier"_s);
    pauza(100);
    dialoguri.gata();

    // The print preview of the declaration.
    dialoguri.fereastra(u"Frm_Report"_s, u"17_tiparire"_s);
    apasa(declaratie, u"Cmd_Print"_s);
    pauza(100);
    dialoguri.gata();

    // The way back to a declaration saved before.
    meniu(u"Intrastat_Vizualizare"_s);
    fotografiaza(fereastra(u"Frm_Intrastat_Selectie"_s), u"18_alegere_declaratie"_s);

    // The settings: where a copy of each declaration file goes.
    dialoguri.fereastra(u"Frm_Setari"_s, u"19_setari"_s);
    meniu(u"Setari_Generale"_s);
    pauza(100);
    dialoguri.gata();
}

// Every picture the manual shows must be one the road took.
void verificaManualul(const QString& cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly)) {
        lipsa(u"the manual "_s + cale);
        return;
    }
    static const QRegularExpression imagine(u"<img[^>]*\\ssrc=\"[^\"]*?([^/\"]+)\\.png\""_s);
    QRegularExpressionMatchIterator it = imagine.globalMatch(QString::fromUtf8(f.readAll()));
    while (it.hasNext()) {
        const QString nume = it.next().captured(1);
        if (!g_poze.contains(nume))
            lipsa(u"the manual's picture "_s + nume + u".png (no step of the road takes it)"_s);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <folder for the pictures> [<Manual.Html>]\n", argv[0]);
        return 2;
    }
    const QString manual = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    g_iesire = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(g_iesire)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    QString seed = qEnvironmentVariable("QUORVEL_SEED_TREE");
    if (seed.isEmpty())
        seed = QStringLiteral(QUORVEL_APP_DIR);

    // A copy of the program folder of its own, its registry files inside
    // it, under a name that reads well in the pictures (and stays the same
    // from one run to the next). A folder of that name that an earlier run
    // did not leave is never touched.
    const QString program = QDir::tempPath() + u"/Quorvel"_s;
    const QString semn = program + u"/.capturi_manual"_s;
    if (QFileInfo::exists(program) && !(QFile::exists(semn) && QDir(program).removeRecursively())) {
        std::fprintf(stderr, "%s exists and was not made by this tool: move it away first\n",
                     qPrintable(program));
        return 1;
    }
    if (!QDir().mkpath(program) || !QFile(semn).open(QIODevice::WriteOnly) || !copiaza(seed, program)) {
        std::fprintf(stderr, "cannot copy the program folder %s to %s\n", qPrintable(seed), qPrintable(program));
        return 1;
    }
    if (!ferestre_test::Ecran_Offscreen(program, 1024, 720))
        return 1;
    qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(program));
    qputenv("QUORVEL_REGISTRY_DIR", QFile::encodeName(program + u"/Registry"_s));
    const QTemporaryDir runtime; // private, as a runtime folder must be
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("TZ", ":/etc/localtime");
    // The same date, user and computer at every run: the import proposes
    // March 2026, the month of the sample workbook.
    sys::Clock::set(QDateTime(QDate(2026, 4, 20), QTime(9, 30)));
    sys::testing::setUserName(u"ion"_s);
    sys::testing::setHostName(u"birou"_s);

    ferestre_test::Liniste_Offscreen();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quorvel"_s);
    QApplication::setStyle(u"Fusion"_s);
    ui::installWidgetPresenter();
    Inregistreaza_Ferestre_Pornire();
    Dialoguri dialoguri;
    int rezultat = 0;
    QTimer::singleShot(0, &app, [&] {
        if (const std::optional<int> iesire = Main(); iesire || !ui::Forms::get(u"Frm_Selectie_Firma"_s)) {
            lipsa(u"the start of the program"_s);
        } else {
            drum(dialoguri, program);
        }
        if (!manual.isEmpty())
            verificaManualul(manual);
        rezultat = g_lipsuri.isEmpty() ? 0 : 1;
        std::printf("%lld pictures in %s\n", static_cast<long long>(g_poze.size()), qPrintable(g_iesire));
        QCoreApplication::exit(rezultat);
    });
    QApplication::exec();
    Elibereaza_Instanta_Unica();
    QDir(program).removeRecursively();
    return rezultat;
}
