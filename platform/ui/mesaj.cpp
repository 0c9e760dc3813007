#include "platform/ui/mesaj.h"

#include <QDebug>
#include <QStringList>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace ui {
namespace {

struct SeamState
{
    std::unique_ptr<Presenter> presenter;
    bool testMode = false;
    QList<testing::Call> calls;
    QList<Answer> answers;
    QStringList fileNames;
    QList<std::optional<Colour>> colours;
    QStringList inputs;
};

SeamState& state()
{
    static SeamState s;
    return s;
}

void printToStderr(const QString& caption, const QString& text)
{
    const QByteArray line = (caption + u": "_s + text + u'\n').toLocal8Bit();
    std::fputs(line.constData(), stderr);
}

bool answerFits(Buttons buttons, Answer a)
{
    switch (buttons) {
    case Buttons::Ok:
        return a == Answer::Ok;
    case Buttons::OkCancel:
        return a == Answer::Ok || a == Answer::Cancel;
    case Buttons::AbortRetryIgnore:
        return a == Answer::Abort || a == Answer::Retry || a == Answer::Ignore;
    case Buttons::YesNoCancel:
        return a == Answer::Yes || a == Answer::No || a == Answer::Cancel;
    case Buttons::YesNo:
        return a == Answer::Yes || a == Answer::No;
    case Buttons::RetryCancel:
        return a == Answer::Retry || a == Answer::Cancel;
    }
    return false;
}

QString fileDialog(const FileRequest& request)
{
    SeamState& s = state();
    if (s.testMode) {
        testing::Call call;
        call.kind = request.kind;
        call.text = request.caption;
        call.dir = request.dir;
        call.filter = request.filter;
        if (!s.fileNames.isEmpty())
            call.fileName = s.fileNames.takeFirst();
        s.calls.append(call);
        return call.fileName;
    }
    if (s.presenter)
        return s.presenter->fileName(request);
    printToStderr(programTitle(), request.caption + u" (no file dialog available)"_s);
    return {};
}

} // namespace

QString programTitle()
{
    return QStringLiteral("Quorvel");
}

Answer defaultAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::No;
    case Buttons::RetryCancel:
        return Answer::Cancel;
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    }
    return Answer::Ok;
}

Answer msgBox(const QString& text, Icon icon, Buttons buttons, std::optional<QString> title,
              DefaultButton def)
{
    SeamState& s = state();
    MessageRequest request{text, icon, buttons, std::move(title), def};
    if (s.testMode) {
        testing::Call call;
        call.kind = DialogKind::Message;
        call.text = request.text;
        call.icon = icon;
        call.buttons = buttons;
        call.title = request.title;
        call.defaultButton = def;
        call.answer = defaultAnswer(buttons);
        if (!s.answers.isEmpty()) {
            const Answer scripted = s.answers.takeFirst();
            // A scripted answer the box cannot give is a fault of the test
            // script; the box answers as nobody pressed anything, which the
            // recorded call shows.
            if (answerFits(buttons, scripted))
                call.answer = scripted;
            else
                qWarning("scripted answer %d does not fit the buttons of the box",
                         static_cast<int>(scripted));
        }
        s.calls.append(call);
        return call.answer;
    }
    if (s.presenter)
        return s.presenter->message(request);
    printToStderr(request.caption(), text);
    return defaultAnswer(buttons);
}

QString openFileName(const QString& caption, const QString& dir, const QString& filter)
{
    return fileDialog({DialogKind::OpenFile, caption, dir, filter});
}

QString saveFileName(const QString& caption, const QString& dir, const QString& filter)
{
    return fileDialog({DialogKind::SaveFile, caption, dir, filter});
}

QString chooseFolder(const QString& caption, const QString& dir)
{
    return fileDialog({DialogKind::Folder, caption, dir, QString()});
}

std::optional<Colour> chooseColor(std::optional<Colour> initial)
{
    SeamState& s = state();
    if (s.testMode) {
        testing::Call call;
        call.kind = DialogKind::Colour;
        if (!s.colours.isEmpty())
            call.colour = s.colours.takeFirst();
        s.calls.append(call);
        return call.colour;
    }
    if (s.presenter)
        return s.presenter->colour(initial);
    printToStderr(programTitle(), u"(no colour dialog available)"_s);
    return std::nullopt;
}

QString inputBox(const QString& prompt, std::optional<QString> title, const QString& text)
{
    SeamState& s = state();
    const QString caption = title ? *title : programTitle();
    if (s.testMode) {
        testing::Call call;
        call.kind = DialogKind::Input;
        call.text = prompt;
        call.title = title;
        if (!s.inputs.isEmpty())
            call.typed = s.inputs.takeFirst();
        s.calls.append(call);
        return call.typed;
    }
    if (s.presenter)
        return s.presenter->input(prompt, caption, text);
    printToStderr(caption, prompt + u" (no input box available)"_s);
    return QString();
}

QString qtFilter(const QString& filter)
{
    if (!filter.contains(u'|'))
        return filter;
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString caption = parts.at(i).trimmed();
        QString patterns = parts.at(i + 1).trimmed();
        patterns.replace(u';', u' ');
        if (patterns == u"*.*")
            patterns = QStringLiteral("*");
        // Qt reads the patterns from the last parentheses of an entry, so a
        // caption that already shows them is kept as it is.
        if (caption.endsWith(u')') && caption.contains(u'('))
            entries.append(caption.left(caption.lastIndexOf(u'(')) + u'(' + patterns + u')');
        else
            entries.append(caption + u" ("_s + patterns + u')');
    }
    if (parts.size() % 2 == 1 && !parts.last().trimmed().isEmpty())
        entries.append(parts.last().trimmed());
    return entries.join(u";;"_s);
}

void setPresenter(Presenter* p)
{
    state().presenter.reset(p);
}

Presenter* presenter()
{
    return state().presenter.get();
}

namespace testing {

void setEnabled(bool on)
{
    state().testMode = on;
}

bool enabled()
{
    return state().testMode;
}

void pushAnswer(Answer answer)
{
    state().answers.append(answer);
}

void pushFileName(const QString& fileName)
{
    state().fileNames.append(fileName);
}

void pushColour(std::optional<Colour> colour)
{
    state().colours.append(colour);
}

void pushInput(const QString& text)
{
    state().inputs.append(text);
}

const QList<Call>& calls()
{
    return state().calls;
}

QList<Call> messages()
{
    QList<Call> out;
    for (const Call& c : state().calls)
        if (c.kind == DialogKind::Message)
            out.append(c);
    return out;
}

void clear()
{
    SeamState& s = state();
    s.calls.clear();
    s.answers.clear();
    s.fileNames.clear();
    s.colours.clear();
    s.inputs.clear();
}

int pendingAnswers()
{
    return static_cast<int>(state().answers.size());
}

int pendingFileNames()
{
    return static_cast<int>(state().fileNames.size());
}

} // namespace testing
} // namespace ui
