// Qt's own texts in Romanian: every dialog of Qt's that the program's windows
// open (colour, open and save file, folder, input, message boxes, printer,
// page set-up, print preview, progress) and the context menus of its text
// boxes, spin boxes and scroll bars, shown for real. Two checks: every text
// Qt asks its translators for has a Romanian text in the program's catalogue,
// and no text the dialog shows (titles, labels, buttons, headers, list rows,
// tool tips, accessible names, menu items) is an English one.

#include "platform/sys/system.h"
#include "platform/ui/imprimanta.h"
#include "platform/ui/mesaj_widgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct Cerere
{
    QByteArray context;
    QByteArray text;
    QByteArray dezambiguizare;
    bool operator==(const Cerere&) const = default;
};

size_t qHash(const Cerere& c, size_t seed = 0)
{
    return qHashMulti(seed, c.context, c.text, c.dezambiguizare);
}

// Asked before the program's catalogue (installed last, so asked first): it
// keeps what Qt looks up and answers nothing.
class Ascultator : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        (void)n;
        if (context && sourceText)
            cerute.insert({context, sourceText, disambiguation ? QByteArray(disambiguation) : QByteArray()});
        return QString();
    }
    mutable QSet<Cerere> cerute;
};

// Words of Qt's English texts that are no Romanian words ("date" and "sat"
// are).
const QRegularExpression& cuvinteEngleze()
{
    static const QRegularExpression re(
        u"\\b(the|and|or|of|to|for|with|file|files|directory|open|save|cancel|close|name|size|type|"
        "modified|colors|colours?|custom|basic|add|pick|screen|red|green|blue|hue|val|alpha|channel|"
        "print|"
        "printer|page|pages|setup|paper|margins?|portrait|landscape|orientation|copies|collate|options|"
        "properties|preview|zoom|fit|width|height|computer|recent|places|look|new|back|forward|parent|detail|"
        "view|select|all|undo|redo|cut|copy|paste|delete|yes|no|apply|reset|help|abort|retry|ignore|discard|"
        "enter|value|scroll|here|top|bottom|left|right|step|up|down|show|hidden|details|location|output|job|"
        "source|layout|reverse|even|odd|from|unknown|drive|shortcut|spreadsheet|sheet|folder of|press|"
        "increase|decrease|toggle|choose|rename|remove|sidebar|list of|bookmarks)\\b"_s,
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A shown text as words, a menu item's shortcut with them: without
// mnemonics and markup.
QString curata(QString t)
{
    if (Qt::mightBeRichText(t)) {
        QTextDocument d;
        d.setHtml(t);
        t = d.toPlainText();
    }
    t.remove(QRegularExpression(u"&(?!&)"_s));
    return t.simplified();
}

// What one dialog or menu showed.
struct Vazut
{
    QString unde;
    QStringList texte;
};

void adauga(Vazut& v, const QString& sursa, const QString& text)
{
    const QString t = curata(text);
    if (!t.isEmpty())
        v.texte << sursa + u": "_s + t;
}

void citesteModel(Vazut& v, const QString& sursa, QAbstractItemModel* model, const QModelIndex& radacina,
                  int adancime = 0)
{
    if (!model)
        return;
    for (int c = 0; c < model->columnCount(radacina); ++c)
        adauga(v, sursa + u" header"_s, model->headerData(c, Qt::Horizontal).toString());
    for (int r = 0; r < model->rowCount(radacina); ++r) {
        for (int c = 0; c < model->columnCount(radacina); ++c) {
            const QModelIndex i = model->index(r, c, radacina);
            adauga(v, sursa, i.data(Qt::DisplayRole).toString());
            adauga(v, sursa + u" tooltip"_s, i.data(Qt::ToolTipRole).toString());
        }
        if (adancime < 1)
            citesteModel(v, sursa, model, model->index(r, 0, radacina), adancime + 1);
    }
}

void citesteActiuni(Vazut& v, const QString& sursa, const QList<QAction*>& actiuni)
{
    for (QAction* a : actiuni) {
        adauga(v, sursa, a->text());
        adauga(v, sursa + u" tooltip"_s, a->toolTip());
        if (a->menu())
            citesteActiuni(v, sursa + u" > "_s + curata(a->text()), a->menu()->actions());
    }
}

// Every text a window shows, its own and its children's.
Vazut citeste(QWidget* w, const QString& unde)
{
    Vazut v{unde, {}};
    adauga(v, u"title"_s, w->windowTitle());
    const QList<QWidget*> toate = w->findChildren<QWidget*>();
    for (QWidget* c : toate) {
        const QString nume = QString::fromLatin1(c->metaObject()->className()) + u' ' + c->objectName();
        adauga(v, nume + u" tooltip"_s, c->toolTip());
        adauga(v, nume + u" whatsThis"_s, c->whatsThis());
        adauga(v, nume + u" accessible"_s, c->accessibleName());
        adauga(v, nume + u" description"_s, c->accessibleDescription());
        if (auto* b = qobject_cast<QAbstractButton*>(c))
            adauga(v, nume, b->text());
        if (auto* l = qobject_cast<QLabel*>(c))
            adauga(v, nume, l->text());
        if (auto* g = qobject_cast<QGroupBox*>(c))
            adauga(v, nume, g->title());
        if (auto* e = qobject_cast<QLineEdit*>(c))
            adauga(v, nume + u" placeholder"_s, e->placeholderText());
        if (auto* s = qobject_cast<QAbstractSpinBox*>(c))
            adauga(v, nume + u" special"_s, s->specialValueText());
        if (auto* s = qobject_cast<QSpinBox*>(c))
            adauga(v, nume + u" suffix"_s, s->suffix());
        if (auto* s = qobject_cast<QDoubleSpinBox*>(c))
            adauga(v, nume + u" suffix"_s, s->suffix());
        if (auto* cb = qobject_cast<QComboBox*>(c))
            for (int i = 0; i < cb->count(); ++i)
                adauga(v, nume, cb->itemText(i));
        if (auto* t = qobject_cast<QTabBar*>(c))
            for (int i = 0; i < t->count(); ++i) {
                adauga(v, nume, t->tabText(i));
                adauga(v, nume + u" tooltip"_s, t->tabToolTip(i));
            }
        if (auto* iv = qobject_cast<QAbstractItemView*>(c)) {
            if (auto* tv = qobject_cast<QHeaderView*>(c); !tv)
                citesteModel(v, nume, iv->model(), iv->rootIndex());
        }
        citesteActiuni(v, nume, c->actions());
        if (auto* tb = qobject_cast<QToolButton*>(c); tb && tb->menu())
            citesteActiuni(v, nume + u" menu"_s, tb->menu()->actions());
    }
    return v;
}

// Runs act on the first visible top-level widget of type T (a modal dialog
// or a pop-up menu) as soon as it shows; act closes it.
template <typename T> void laDeschidere(std::function<void(T*)> act)
{
    auto* ceas = new QTimer(qApp);
    ceas->setInterval(10);
    QObject::connect(ceas, &QTimer::timeout, ceas, [ceas, act] {
        T* gasit = nullptr;
        if (auto* m = qobject_cast<T*>(QApplication::activePopupWidget()); m && m->isVisible())
            gasit = m;
        else if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget()); d && d->isVisible())
            gasit = d;
        if (!gasit)
            return;
        ceas->stop();
        ceas->deleteLater();
        act(gasit);
    });
    ceas->start();
}

// The program's own texts a dialog shows beside Qt's: the filters, folders
// and files the test gives it.
bool alProgramului(const QString& text, const QStringList& proprii)
{
    const QString t = text.section(u": "_s, 1);
    for (const QString& p : proprii)
        if (t.contains(p))
            return true;
    return false;
}

} // namespace

class TestTexteQt : public QObject
{
    Q_OBJECT

public:
    QList<Vazut> vazute;

private:
    QTranslator m_catalog;
    Ascultator* m_ascultator = nullptr;
    QTemporaryDir m_dir;
    QStringList m_proprii;
    QStringList m_probleme;

    void inregistreaza(QWidget* w, const QString& unde) { vazute << citeste(w, unde); }

    // The next dialog of type T that opens is read, then cancelled.
    template <typename T> void citesteUrmatorul(const QString& unde)
    {
        laDeschidere<T>([this, unde](T* d) {
            inregistreaza(d, unde);
            d->reject();
        });
    }

    void inregistreazaMeniu(QMenu* m, const QString& unde)
    {
        Vazut v{unde, {}};
        citesteActiuni(v, u"menu"_s, m->actions());
        vazute << v;
    }

    // The file dialog once its folder is read (in the background: its list
    // fills up to `randuri` rows), in both of its views, with the context
    // menu of its list; then cancelled, whatever was found.
    void cerceteazaFisiere(QFileDialog* d, const QString& unde, int randuri)
    {
        auto* lista = d->findChild<QAbstractItemView*>(u"listView"_s);
        auto* arbore = d->findChild<QAbstractItemView*>(u"treeView"_s);
        auto* detalii = d->findChild<QToolButton*>(u"detailModeButton"_s);
        if (lista && arbore && detalii &&
            QTest::qWaitFor([&] { return lista->model()->rowCount(lista->rootIndex()) >= randuri; }, 5000)) {
            inregistreaza(d, unde + u" (list)"_s);
            detalii->click();
            inregistreaza(d, unde + u" (details)"_s);
            laDeschidere<QMenu>([this, unde](QMenu* m) {
                inregistreazaMeniu(m, unde + u" context menu"_s);
                m->close();
            });
            emit arbore->customContextMenuRequested(QPoint(5, 5));
        } else {
            m_probleme << unde + u": the folder was not listed"_s;
        }
        d->reject();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkdir(u"Luna martie"_s));
        for (const QString& f : {u"Martie.xls"_s, u"Aprilie.xlsx"_s, u"Citeste.txt"_s}) {
            QFile fisier(m_dir.path() + u'/' + f);
            QVERIFY(fisier.open(QIODevice::WriteOnly));
            fisier.write("x");
        }
        m_proprii = {m_dir.path(),     u"Luna martie"_s,   u"Martie.xls"_s,      u"Aprilie.xlsx"_s,
                     u"Citeste.txt"_s, u"Fisiere Excel"_s, u"Toate fisierele"_s, u"Alegeti"_s};
        ui::installWidgetPresenter();
        QVERIFY(m_catalog.load(u":/traduceri/qtbase_ro.qm"_s));
        m_ascultator = new Ascultator(qApp);
        QCoreApplication::installTranslator(m_ascultator);
    }
    void cleanupTestCase() { ui::setPresenter(nullptr); }

    void culoare()
    {
        citesteUrmatorul<QColorDialog>(u"colour dialog"_s);
        QVERIFY(!ui::chooseColor(0x80FF80u));
    }

    void fisiere_data()
    {
        QTest::addColumn<int>("fel");
        QTest::newRow("open") << 0;
        QTest::newRow("save") << 1;
        QTest::newRow("folder") << 2;
    }
    void fisiere()
    {
        QFETCH(int, fel);
        const QString unde = QString::fromLatin1(QTest::currentDataTag()) + u" file dialog"_s;
        // The sub-folder and both workbooks; a folder dialog lists the sub-folder alone.
        const int randuri = fel == 2 ? 1 : 3;
        laDeschidere<QFileDialog>(
            [this, unde, randuri](QFileDialog* d) { cerceteazaFisiere(d, unde, randuri); });
        const QString filtru = u"Fisiere Excel (*.xls;*.xlsx)|*.xls;*.xlsx|Toate fisierele (*.*)|*.*"_s;
        QString ales;
        if (fel == 0)
            ales = ui::openFileName(QString(), m_dir.path(), filtru);
        else if (fel == 1)
            ales = ui::saveFileName(QString(), m_dir.path(), filtru);
        else
            ales = ui::chooseFolder(QString(), m_dir.path());
        QCOMPARE(ales, QString());
    }

    void intrebare()
    {
        laDeschidere<QInputDialog>([this](QInputDialog* d) {
            inregistreaza(d, u"input box"_s);
            // The context menu of its text box.
            auto* text = d->findChild<QLineEdit*>();
            QMenu* m = text->createStandardContextMenu();
            inregistreazaMeniu(m, u"text box context menu"_s);
            delete m;
            d->reject();
        });
        QCOMPARE(ui::inputBox(u"Alegeti numele"_s), QString());
    }

    void mesaje_data()
    {
        QTest::addColumn<ui::Buttons>("butoane");
        QTest::newRow("OkCancel") << ui::Buttons::OkCancel;
        QTest::newRow("YesNoCancel") << ui::Buttons::YesNoCancel;
        QTest::newRow("AbortRetryIgnore") << ui::Buttons::AbortRetryIgnore;
        QTest::newRow("RetryCancel") << ui::Buttons::RetryCancel;
    }
    void mesaje()
    {
        QFETCH(ui::Buttons, butoane);
        citesteUrmatorul<QMessageBox>(u"message box"_s);
        ui::msgBox(u"Alegeti"_s, ui::Icon::Question, butoane);
    }

    void tiparire()
    {
        QPrinter imprimanta(QPrinter::HighResolution);
        laDeschidere<QPrintDialog>([this](QPrintDialog* d) {
            inregistreaza(d, u"printer dialog"_s);
            // The options, and every tab of them.
            for (auto* b : d->findChildren<QPushButton*>())
                if (b->text().contains(u">>"_s))
                    b->click();
            for (auto* tabs : d->findChildren<QTabWidget*>())
                for (int i = 0; i < tabs->count(); ++i) {
                    tabs->setCurrentIndex(i);
                    inregistreaza(d, u"printer dialog, tab "_s + QString::number(i));
                }
            // The printer's properties (its page set-up; the job's options
            // for a printer of the system).
            if (auto* proprietati = d->findChild<QPushButton*>(u"properties"_s);
                proprietati && proprietati->isEnabled()) {
                laDeschidere<QDialog>([this, d](QDialog* p) {
                    if (p != d)
                        inregistreaza(p, u"printer properties"_s);
                    p->reject();
                });
                proprietati->click();
            } else {
                m_probleme << u"the printer dialog has no properties button"_s;
            }
            d->reject();
        });
        QVERIFY(!ui::choosePrinter(imprimanta));
    }

    void setarePagina()
    {
        QPrinter imprimanta(QPrinter::HighResolution);
        QPageSetupDialog d(&imprimanta);
        citesteUrmatorul<QPageSetupDialog>(u"page set-up"_s);
        d.exec();
    }

    void previzualizare()
    {
        QPrintPreviewDialog d;
        citesteUrmatorul<QPrintPreviewDialog>(u"print preview"_s);
        d.exec();
    }

    void progres()
    {
        QProgressDialog d;
        d.setMinimumDuration(0);
        d.setRange(0, 10);
        d.show();
        inregistreaza(&d, u"progress"_s);
    }

    void butoane()
    {
        QDialogButtonBox b(QDialogButtonBox::Ok | QDialogButtonBox::Save | QDialogButtonBox::SaveAll |
                           QDialogButtonBox::Open | QDialogButtonBox::Yes | QDialogButtonBox::YesToAll |
                           QDialogButtonBox::No | QDialogButtonBox::NoToAll | QDialogButtonBox::Abort |
                           QDialogButtonBox::Retry | QDialogButtonBox::Ignore | QDialogButtonBox::Close |
                           QDialogButtonBox::Cancel | QDialogButtonBox::Discard | QDialogButtonBox::Help |
                           QDialogButtonBox::Apply | QDialogButtonBox::Reset |
                           QDialogButtonBox::RestoreDefaults);
        inregistreaza(&b, u"button box"_s);
    }

    void meniuriContextuale()
    {
        QWidget fereastra;
        auto* text = new QLineEdit(u"Martie"_s, &fereastra);
        auto* nota = new QTextEdit(u"Martie"_s, &fereastra);
        auto* simplu = new QPlainTextEdit(u"Martie"_s, &fereastra);
        auto* numar = new QSpinBox(&fereastra);
        auto* bara = new QScrollBar(Qt::Vertical, &fereastra);
        auto* file = new QTabWidget(&fereastra);
        for (int i = 0; i < 12; ++i)
            file->addTab(new QWidget, u"Luna "_s + QString::number(i + 1));
        file->setGeometry(0, 0, 120, 60);
        fereastra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fereastra));
        QMenu* m = text->createStandardContextMenu();
        inregistreazaMeniu(m, u"text box"_s);
        delete m;
        m = nota->createStandardContextMenu();
        inregistreazaMeniu(m, u"rich text box"_s);
        delete m;
        m = simplu->createStandardContextMenu();
        inregistreazaMeniu(m, u"plain text box"_s);
        delete m;
        for (QWidget* w : {static_cast<QWidget*>(numar), static_cast<QWidget*>(bara)}) {
            bool vazut = false;
            laDeschidere<QMenu>([this, w, &vazut](QMenu* meniu) {
                inregistreazaMeniu(meniu,
                                   QString::fromLatin1(w->metaObject()->className()) + u" context menu"_s);
                vazut = true;
                meniu->close();
            });
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(w, &e);
            QVERIFY(QTest::qWaitFor([&] { return vazut; }, 5000));
        }
        inregistreaza(&fereastra, u"tab strip and boxes"_s);
    }

    // Last: what every dialog above asked Qt's catalogue for and showed.
    void totulInRomana()
    {
        QVERIFY2(m_probleme.isEmpty(), qPrintable(m_probleme.join(u'\n')));
        QStringList fara;
        for (const Cerere& c : std::as_const(m_ascultator->cerute)) {
            // Reading any shortcut asks for the names of all keys, media and
            // language keys among them; the names the menus show are among
            // the texts checked below.
            if (c.context == "QShortcut")
                continue;
            const QString ro =
                m_catalog.translate(c.context.constData(), c.text.constData(),
                                    c.dezambiguizare.isEmpty() ? nullptr : c.dezambiguizare.constData());
            if (ro.isNull())
                fara << QString::fromUtf8(c.context + " / " + c.text);
        }
        fara.sort();
        for (const QString& f : std::as_const(fara))
            qWarning("no Romanian text: %s", qPrintable(f));
        QVERIFY2(fara.isEmpty(), "Qt texts with no Romanian text (listed above)");

        QStringList engleza;
        for (const Vazut& v : std::as_const(vazute))
            for (const QString& t : v.texte)
                if (!alProgramului(t, m_proprii) && t.section(u": "_s, 1).contains(cuvinteEngleze()))
                    engleza << v.unde + u" - "_s + t;
        engleza.removeDuplicates();
        for (const QString& e : std::as_const(engleza))
            qWarning("English text shown: %s", qPrintable(e));
        QVERIFY2(engleza.isEmpty(), "English texts shown (listed above)");
        QVERIFY(vazute.size() > 10);
    }
};

int main(int argc, char** argv)
{
    // As the program starts.
    sys::useRomanianWhenNoLocale();
    QApplication app(argc, argv);
    TestTexteQt t;
    const int r = QTest::qExec(&t, argc, argv);
    if (qEnvironmentVariableIsSet("QUORVEL_TEXTE_QT"))
        for (const Vazut& v : std::as_const(t.vazute))
            for (const QString& s : v.texte)
                qInfo("%s | %s", qPrintable(v.unde), qPrintable(s));
    return r;
}

#include "tst_texte_qt.moc"
