#include "platform/ui/mesaj_widgets.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <array>

using namespace Qt::StringLiterals;

namespace ui {
namespace {

struct TextButon
{
    QDialogButtonBox::StandardButton buton;
    const char* englez; // as Qt writes it, for its translation lookup
    const char* roman;
};

// The standard buttons in Romanian: Qt ships no Romanian translation of
// its own texts.
constexpr std::array<TextButon, 18> kButoane{{
    {QDialogButtonBox::Ok, "OK", "OK"},
    {QDialogButtonBox::Save, "Save", "&Salveaza"},
    {QDialogButtonBox::SaveAll, "Save All", "Salveaza &tot"},
    {QDialogButtonBox::Open, "Open", "&Deschide"},
    {QDialogButtonBox::Yes, "&Yes", "&Da"},
    {QDialogButtonBox::YesToAll, "Yes to &All", "Da la &toate"},
    {QDialogButtonBox::No, "&No", "&Nu"},
    {QDialogButtonBox::NoToAll, "N&o to All", "Nu la t&oate"},
    {QDialogButtonBox::Abort, "Abort", "&Abandon"},
    {QDialogButtonBox::Retry, "Retry", "&Reincercare"},
    {QDialogButtonBox::Ignore, "Ignore", "&Ignorare"},
    {QDialogButtonBox::Close, "Close", "&Inchide"},
    {QDialogButtonBox::Cancel, "Cancel", "Anulare"},
    {QDialogButtonBox::Discard, "Discard", "Renunta"},
    {QDialogButtonBox::Help, "Help", "Ajutor"},
    {QDialogButtonBox::Apply, "Apply", "Aplica"},
    {QDialogButtonBox::Reset, "Reset", "Reseteaza"},
    {QDialogButtonBox::RestoreDefaults, "Restore Defaults", "Valori implicite"},
}};

// Gives Qt's own dialogs (colour, printer, page set-up, file) the Romanian
// texts of their standard buttons.
class TraducereButoane : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        (void)disambiguation;
        (void)n;
        if (qstrcmp(context, "QPlatformTheme") != 0)
            return QString();
        for (const TextButon& b : kButoane)
            if (qstrcmp(sourceText, b.englez) == 0)
                return QString::fromLatin1(b.roman);
        return QString();
    }
};

QMessageBox::Icon toQtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons of a box from left to right.
QList<QMessageBox::StandardButton> buttonsOf(Buttons b)
{
    switch (b) {
    case Buttons::Ok:
        return {QMessageBox::Ok};
    case Buttons::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case Buttons::AbortRetryIgnore:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case Buttons::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Buttons::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case Buttons::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    }
    return {QMessageBox::Ok};
}

Answer toAnswer(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

// The first entry of a Qt filter text, selected when the dialog opens.
QString firstFilter(const QString& qtFilterText)
{
    return qtFilterText.section(QStringLiteral(";;"), 0, 0);
}

class WidgetPresenter : public Presenter
{
public:
    Answer message(const MessageRequest& r) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setIcon(toQtIcon(r.icon));
        box.setWindowTitle(r.caption());
        box.setText(r.text);
        box.setTextFormat(Qt::PlainText);
        const QList<QMessageBox::StandardButton> order = buttonsOf(r.buttons);
        QList<QPushButton*> made;
        for (QMessageBox::StandardButton b : order) {
            QPushButton* made1 = box.addButton(b);
            made1->setText(textButon(static_cast<QDialogButtonBox::StandardButton>(b)));
            made.append(made1);
        }
        const int index = static_cast<int>(r.defaultButton) / 256;
        box.setDefaultButton(made.value(index < made.size() ? index : 0));
        if (order.contains(QMessageBox::Cancel))
            box.setEscapeButton(QMessageBox::Cancel);
        else if (order.size() == 1)
            box.setEscapeButton(made.first());
        box.exec();
        auto* clicked = box.clickedButton();
        if (!clicked)
            return defaultAnswer(r.buttons);
        return toAnswer(box.standardButton(clicked));
    }

    QString fileName(const FileRequest& r) override
    {
        if (r.kind != DialogKind::OpenFile && r.kind != DialogKind::SaveFile && r.kind != DialogKind::Folder)
            return QString();
        QFileDialog dialog(QApplication::activeWindow(), r.caption, r.dir);
        const QString filter = qtFilter(r.filter);
        switch (r.kind) {
        case DialogKind::OpenFile:
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.setLabelText(QFileDialog::Accept, u"&Deschide"_s);
            break;
        case DialogKind::SaveFile:
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setLabelText(QFileDialog::Accept, u"&Salveaza"_s);
            break;
        default:
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly);
            dialog.setLabelText(QFileDialog::Accept, u"&Alege"_s);
            break;
        }
        if (r.kind != DialogKind::Folder) {
            dialog.setNameFilter(filter);
            dialog.selectNameFilter(firstFilter(filter));
        }
        dialog.setLabelText(QFileDialog::Reject, textButon(QDialogButtonBox::Cancel));
        dialog.setLabelText(QFileDialog::LookIn, u"Cauta in:"_s);
        dialog.setLabelText(QFileDialog::FileName, u"Nume fisier:"_s);
        dialog.setLabelText(QFileDialog::FileType, u"Tip fisier:"_s);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }

    std::optional<Colour> colour(std::optional<Colour> initial) override
    {
        const QColor start = initial ? toQColor(*initial) : QColor(Qt::white);
        const QColor c = QColorDialog::getColor(start, QApplication::activeWindow());
        if (!c.isValid())
            return std::nullopt;
        return fromQColor(c);
    }

    QString input(const QString& prompt, const QString& caption, const QString& text) override
    {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(caption);
        dialog.setLabelText(prompt);
        dialog.setTextValue(text);
        dialog.setOkButtonText(textButon(QDialogButtonBox::Ok));
        dialog.setCancelButtonText(textButon(QDialogButtonBox::Cancel));
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }
};

} // namespace

QString textButon(QDialogButtonBox::StandardButton button)
{
    for (const TextButon& b : kButoane)
        if (b.buton == button)
            return QString::fromLatin1(b.roman);
    return QString();
}

void installWidgetPresenter()
{
    setPresenter(new WidgetPresenter);
    static TraducereButoane* traducere = nullptr;
    if (!traducere) {
        traducere = new TraducereButoane(QCoreApplication::instance());
        QCoreApplication::installTranslator(traducere);
    }
}

QColor toQColor(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

Colour fromQColor(const QColor& c)
{
    return static_cast<Colour>(c.red()) | (static_cast<Colour>(c.green()) << 8) |
           (static_cast<Colour>(c.blue()) << 16);
}

} // namespace ui
