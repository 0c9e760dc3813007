#include "platform/ui/mesaj_widgets.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace ui {
namespace {

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
        for (QMessageBox::StandardButton b : order)
            made.append(box.addButton(b));
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
            break;
        case DialogKind::SaveFile:
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            break;
        default:
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly);
            break;
        }
        if (r.kind != DialogKind::Folder) {
            dialog.setNameFilter(filter);
            dialog.selectNameFilter(firstFilter(filter));
        }
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
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }
};

} // namespace

bool installQtTranslations()
{
    static QTranslator* catalog = nullptr;
    if (catalog)
        return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(u":/traduceri/qtbase_ro.qm"_s)) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    catalog = t;
    return true;
}

void installWidgetPresenter()
{
    setPresenter(new WidgetPresenter);
    installQtTranslations();
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
