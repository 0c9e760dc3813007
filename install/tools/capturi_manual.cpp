// The pictures of the user manual, taken from the program itself: a copy of
// the seeded program folder is started as a user starts it, the main road is
// walked through its own windows (company, template, import, grid,
// verification, declaration file, settings, print) and each window is
// grabbed as it shows, message boxes included. Offscreen, on a screen of a
// fixed size, with a fixed date, user and Romanian regional settings, so
// that a new run after a change of the windows gives the same pictures where
// nothing changed.
//
// The copy stands where a user has the program folder: the repository
// cloned in the home folder of the user "ion", the program run from its
// build/run (as scripts/run.sh runs it), so that the paths the windows show
// are the ones a reader meets. That folder is laid out in a mount namespace
// of this process alone: nothing is written to the real home folders, and
// everything else stays where it is. Where the system allows no such
// namespace the copy goes to a temporary folder instead, said on the error
// output; with --cale-utilizator that is a failure.
//
// Usage: quorvel_capturi_manual [--cale-utilizator] <folder for the pictures> [<Manual.Html>]
// (scripts/manual-pictures.sh builds it and writes into install/files/Manual.)
// It ends with 1, naming what is missing, when a window or control of the
// road is not found, a picture cannot be written or shows the temporary
// folder, or the manual given shows a picture the road did not take.

#include "Acasa_Test.h"
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
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The user of the pictures, and the program folder as that user has it.
const QString kUtilizator = u"ion"_s;
const QString kFolderUtilizator = u"/home/"_s + kUtilizator + u"/quorvel/build/run"_s;

QString g_iesire;        // folder of the pictures
QStringList g_lipsuri;   // what could not be done
QStringList g_poze;      // pictures written
QStringList g_temporare; // the temporary folder's names, which no picture may show

void lipsa(const QString& ce)
{
    g_lipsuri << ce;
    std::fprintf(stderr, "missing: %s\n", qPrintable(ce));
}

void pauza(int ms = 40)
{
    QTest::qWait(ms);
}

// The texts a window shows: its title, labels, boxes, buttons and the cells
// of its lists.
QStringList texteAratate(const QWidget* w)
{
    QStringList texte{w->windowTitle()};
    for (const QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(w))
            continue;
        if (auto* e = qobject_cast<const QLineEdit*>(c))
            texte << e->text();
        else if (auto* l = qobject_cast<const QLabel*>(c))
            texte << l->text();
        else if (auto* b = qobject_cast<const QAbstractButton*>(c))
            texte << b->text();
        else if (auto* t = qobject_cast<const QTextEdit*>(c))
            texte << t->toPlainText();
        else if (auto* t = qobject_cast<const QPlainTextEdit*>(c))
            texte << t->toPlainText();
        else if (auto* v = qobject_cast<const QAbstractItemView*>(c); v && v->model()) {
            const QAbstractItemModel* m = v->model();
            for (int r = 0; r < qMin(m->rowCount(), 500); ++r)
                for (int k = 0; k < m->columnCount(); ++k)
                    texte << m->index(r, k).data().toString();
        }
    }
    if (auto* box = qobject_cast<const QMessageBox*>(w))
        texte << box->text() << box->informativeText();
    return texte;
}

// A picture that shows the temporary folder is no picture of a user's program.
void faraFolderTemporar(const QWidget* w, const QString& nume)
{
    for (const QString& text : texteAratate(w))
        for (const QString& temporar : std::as_const(g_temporare))
            if (text.contains(temporar)) {
                lipsa(u"picture "_s + nume + u" without the temporary folder (it shows \""_s + text +
                      u"\")"_s);
                return;
            }
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
    faraFolderTemporar(w, nume);
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

// The main window's menu bar with one of its menus open, the menu drawn
// where it drops: the corner of the window that holds them, at its own size,
// which a picture of the whole window would make too small to read.
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
    faraFolderTemporar(principal, nume);
    QImage imagine = principal->grab().toImage();
    const QRect titlu = bara->actionGeometry(m->menuAction());
    m->popup(bara->mapToGlobal(titlu.bottomLeft()));
    pauza(100);
    const QPoint loc = bara->mapTo(principal, titlu.bottomLeft());
    {
        QPainter p(&imagine);
        p.drawImage(loc, m->grab().toImage());
    }
    // The bar's titles and the open menu, with a margin of the window.
    QRect colt = QRect(loc, m->size());
    for (QAction* a : bara->actions())
        if (a->isVisible())
            colt |= QRect(bara->mapTo(principal, bara->actionGeometry(a).topLeft()),
                          bara->actionGeometry(a).size());
    colt = colt.adjusted(0, 0, 24, 24) | QRect(0, 0, 1, 1);
    m->hide();
    salveaza(imagine.copy(colt.intersected(imagine.rect())), nume);
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
        if (!r.poza.isEmpty()) {
            faraFolderTemporar(w, r.poza);
            salveaza(w->grab().toImage(), r.poza);
        }
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

// Writes a whole small file of /proc; false with errno set when it cannot.
bool scrieProc(const char* cale, const QByteArray& text)
{
    const int fd = ::open(cale, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    const int eroare = errno;
    ::close(fd);
    errno = eroare;
    return ok;
}

QString cuEroare(const QString& ce)
{
    return ce + u": "_s + QString::fromLocal8Bit(std::strerror(errno));
}

// Lays an empty folder out at `cale` in a mount namespace of this process
// alone. The deepest folder of the path that exists gets an empty tmpfs with
// its own entries bound back into it, so that every path that was there
// before still leads where it led; the rest of the path is made in it. Must
// run before any thread starts. False, with the reason, when the system
// allows no such namespace; nothing has changed then.
bool folderPrivat(const QString& cale, QString& motiv)
{
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        motiv = cuEroare(u"no user and mount namespace"_s);
        return false;
    }
    // The user and group keep their ids in the namespace (a process may map
    // its own ids alone).
    const QByteArray utilizatori = QByteArray::number(uid) + ' ' + QByteArray::number(uid) + QByteArray(" 1");
    const QByteArray grupuri = QByteArray::number(gid) + ' ' + QByteArray::number(gid) + QByteArray(" 1");
    if (!scrieProc("/proc/self/setgroups", "deny") && errno != ENOENT) {
        motiv = cuEroare(u"/proc/self/setgroups"_s);
        return false;
    }
    if (!scrieProc("/proc/self/uid_map", utilizatori) || !scrieProc("/proc/self/gid_map", grupuri)) {
        motiv = cuEroare(u"the namespace's user map"_s);
        return false;
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        motiv = cuEroare(u"a private mount tree"_s);
        return false;
    }
    QString baza = QDir::cleanPath(cale);
    while (!QFileInfo(baza).isDir())
        baza = QFileInfo(baza).path();
    if (baza == u"/"_s) {
        motiv = u"no folder of "_s + cale + u" to lay it in"_s;
        return false;
    }
    const QByteArray b = QFile::encodeName(baza);
    struct stat st = {};
    if (::stat(b.constData(), &st) != 0) {
        motiv = cuEroare(baza);
        return false;
    }
    const QByteArray optiuni = "mode=" + QByteArray::number(st.st_mode & 07777, 8);
    if (baza == QDir::cleanPath(cale)) { // there already: an empty one over it
        if (::mount("quorvel", b.constData(), "tmpfs", 0, optiuni.constData()) != 0) {
            motiv = cuEroare(u"a tmpfs on "_s + baza);
            return false;
        }
        return true;
    }
    // The folder's entries, read before the tmpfs hides them, and reached
    // afterwards through a descriptor of the hidden folder.
    const int vechi = ::open(b.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    DIR* d = vechi >= 0 ? ::opendir(b.constData()) : nullptr;
    if (!d) {
        motiv = cuEroare(baza);
        if (vechi >= 0)
            ::close(vechi);
        return false;
    }
    QList<QByteArray> intrari;
    while (const dirent* e = ::readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            intrari << QByteArray(e->d_name);
    ::closedir(d);
    if (::mount("quorvel", b.constData(), "tmpfs", 0, optiuni.constData()) != 0) {
        motiv = cuEroare(u"a tmpfs on "_s + baza);
        ::close(vechi);
        return false;
    }
    bool ok = true;
    for (const QByteArray& nume : std::as_const(intrari)) {
        const QByteArray sursa = "/proc/self/fd/" + QByteArray::number(vechi) + '/' + nume;
        const QByteArray tinta = b + '/' + nume;
        struct stat e = {};
        if (::fstatat(vechi, nume.constData(), &e, AT_SYMLINK_NOFOLLOW) != 0) {
            ok = false;
        } else if (S_ISLNK(e.st_mode)) {
            QByteArray legatura(4096, '\0');
            const ssize_t n = ::readlinkat(vechi, nume.constData(), legatura.data(), size_t(legatura.size()));
            ok = n > 0 && ::symlink(legatura.left(n).constData(), tinta.constData()) == 0;
        } else {
            const bool dosar = S_ISDIR(e.st_mode);
            const int fd = dosar ? ::mkdir(tinta.constData(), 0755)
                                 : ::open(tinta.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            ok = fd >= 0 && (dosar || ::close(fd) == 0) &&
                 ::mount(sursa.constData(), tinta.constData(), nullptr, MS_BIND | MS_REC, nullptr) == 0;
        }
        if (!ok) {
            motiv = cuEroare(QFile::decodeName(tinta));
            break;
        }
    }
    ::close(vechi);
    if (ok && !QDir().mkpath(cale)) {
        ok = false;
        motiv = u"cannot make "_s + cale;
    }
    if (!ok)
        ::umount2(b.constData(), MNT_DETACH); // the folder as it was
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList argumente;
    for (int i = 1; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    const bool strict = argumente.removeAll(u"--cale-utilizator"_s) > 0;
    if (argumente.size() != 1 && argumente.size() != 2) {
        std::fprintf(stderr, "usage: %s [--cale-utilizator] <folder for the pictures> [<Manual.Html>]\n",
                     argv[0]);
        return 2;
    }
    const QString manual = argumente.size() == 2 ? QFileInfo(argumente.at(1)).absoluteFilePath() : QString();
    g_iesire = QDir(argumente.at(0)).absolutePath();
    if (!QDir().mkpath(g_iesire)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(g_iesire));
        return 1;
    }
    QString seed = qEnvironmentVariable("QUORVEL_SEED_TREE");
    if (seed.isEmpty())
        seed = QStringLiteral(QUORVEL_APP_DIR);
    seed = QDir(seed).absolutePath();

    // The program folder where the user has it, or else in a temporary folder.
    QString motiv;
    std::unique_ptr<QTemporaryDir> temporar;
    QString program = kFolderUtilizator;
    if (!folderPrivat(kFolderUtilizator, motiv)) {
        if (strict) {
            std::fprintf(stderr, "cannot lay the program folder out at %s: %s\n",
                         qPrintable(kFolderUtilizator), qPrintable(motiv));
            return 1;
        }
        temporar = std::make_unique<QTemporaryDir>();
        program = temporar->path() + u"/run"_s;
        std::fprintf(stderr,
                     "the program folder is %s, not %s (%s): the pictures show that temporary folder\n",
                     qPrintable(program), qPrintable(kFolderUtilizator), qPrintable(motiv));
    } else {
        g_temporare << QDir::tempPath() + u'/' << u"/tmp/"_s;
    }
    if (!QDir().mkpath(program) || !copiaza(seed, program)) {
        std::fprintf(stderr, "cannot copy the program folder %s to %s\n", qPrintable(seed),
                     qPrintable(program));
        return 1;
    }
    // The home of the user the pictures show, in the namespace (or in the
    // temporary folder): the program's lock and Qt's own files never reach
    // the home of whoever takes them.
    if (!acasa_test::Acasa_Proprie(temporar ? temporar->path() + u"/home"_s : u"/home/"_s + kUtilizator)) {
        std::fprintf(stderr, "cannot make a home folder for the pictures\n");
        return 1;
    }
    if (!ferestre_test::Ecran_Offscreen(program, 1024, 720))
        return 1;
    qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(program));
    qputenv("QUORVEL_REGISTRY_DIR", QFile::encodeName(program + u"/Registry"_s));
    const QTemporaryDir runtime; // private, as a runtime folder must be
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("TZ", ":/etc/localtime");
    // The forms of a Romanian desktop, whatever locale the machine taking
    // the pictures has, as the program takes them where none is chosen.
    for (const char* v : {"LC_ALL", "LANG", "LANGUAGE", "LC_NUMERIC", "LC_TIME", "LC_MONETARY", "LC_MESSAGES",
                          "LC_MEASUREMENT", "LC_COLLATE"})
        qunsetenv(v);
    sys::useRomanianWhenNoLocale();
    // The same date, user and computer at every run: the import proposes
    // March 2026, the month of the sample workbook.
    sys::Clock::set(QDateTime(QDate(2026, 4, 20), QTime(9, 30)));
    sys::testing::setUserName(kUtilizator);
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
