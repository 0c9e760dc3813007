#pragma once
// The one road every message box and file dialog of the program takes.
//
// Core code (no QtWidgets) calls ui::msgBox() and the file dialogs here. The
// program's main() installs the real presenter (platform_ui_widgets,
// ui::installWidgetPresenter()); tests switch on test mode instead, which
// records every call and answers from a queue scripted in advance. Without a
// presenter and without test mode the text goes to stderr and the call gets
// its default answer.

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace ui {

// Each choice has a fixed number: an icon (16 to 64), a button set (0 to 5)
// and a default button (0, 256, 512) add up to one style number without
// overlapping; the answers are 1 to 7.
enum class Icon
{
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};
enum class Buttons
{
    Ok = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5
};
enum class Answer
{
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};
// Which button is the default one (Enter), counted from the left.
enum class DefaultButton
{
    First = 0,
    Second = 256,
    Third = 512
};

// The caption a message box gets when the caller names no title.
QString programTitle(); // "Quorvel"

// Shows text with an icon and buttons and returns the button pressed.
// No title (nullopt) shows the program's title; an explicit title, even an
// empty one, is shown as given. Closing the box without a button gives
// Cancel where there is a Cancel button, otherwise the default answer.
Answer msgBox(const QString& text, Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
              std::optional<QString> title = std::nullopt, DefaultButton def = DefaultButton::First);

// The answer a box of these buttons gives when nobody presses a button:
// Ok for Ok/OkCancel, No for YesNo/YesNoCancel, Cancel for RetryCancel,
// Abort for AbortRetryIgnore.
Answer defaultAnswer(Buttons buttons);

// File dialogs. The filter is written as the windows write it
// ("Fisiere Excel (*.xls)|*.xls|Toate (*.*)|*.*") or as Qt's
// ("Fisiere Excel (*.xls);;Toate (*)"); its first entry is selected.
// An empty result means the user cancelled.
QString openFileName(const QString& caption, const QString& dir, const QString& filter);
QString saveFileName(const QString& caption, const QString& dir, const QString& filter);
QString chooseFolder(const QString& caption, const QString& dir);

// Colours as the settings keep them: blue, green and red bytes from high
// to low (0x00BBGGRR). nullopt means the user cancelled.
using Colour = std::uint32_t;
std::optional<Colour> chooseColor(std::optional<Colour> initial = std::nullopt);

// An input box: the prompt, a title (none: the program's title) and the text
// it starts with. Gives the text typed, or "" when the user cancels.
QString inputBox(const QString& prompt, std::optional<QString> title = std::nullopt,
                 const QString& text = QString());

// A filter in the windows' "caption|pattern|caption|pattern" form
// turned into Qt's "caption (pattern);;..." form, order kept; a filter with
// no "|" is returned unchanged.
QString qtFilter(const QString& filter);

// What a presenter is asked to show.
struct MessageRequest
{
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    std::optional<QString> title; // as the caller gave it
    DefaultButton defaultButton = DefaultButton::First;
    // The caption actually shown: the title, or the program's title.
    QString caption() const { return title ? *title : programTitle(); }
};

enum class DialogKind
{
    Message,
    OpenFile,
    SaveFile,
    Folder,
    Colour,
    Input
};

struct FileRequest
{
    DialogKind kind = DialogKind::OpenFile; // OpenFile, SaveFile or Folder
    QString caption;
    QString dir;
    QString filter; // as given by the caller
};

// Shows the dialogs on screen; installed once by the program's main().
class Presenter
{
public:
    virtual ~Presenter() = default;
    virtual Answer message(const MessageRequest& request) = 0;
    virtual QString fileName(const FileRequest& request) = 0;
    virtual std::optional<Colour> colour(std::optional<Colour> initial) = 0;
    // The input box; a presenter without one answers as cancelled.
    virtual QString input(const QString& prompt, const QString& caption, const QString& text)
    {
        (void)prompt;
        (void)caption;
        (void)text;
        return QString();
    }
};

// Takes ownership; nullptr removes the presenter.
void setPresenter(Presenter* presenter);
Presenter* presenter();

namespace testing {

// One recorded call of the seam.
struct Call
{
    DialogKind kind = DialogKind::Message;
    QString text; // message text, or the file dialog's caption
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    std::optional<QString> title;
    DefaultButton defaultButton = DefaultButton::First;
    QString dir;
    QString filter;
    Answer answer = Answer::Ok;   // what the message box returned
    QString fileName;             // what the file or folder dialog returned
    std::optional<Colour> colour; // what the colour dialog returned
    QString typed;                // what the input box returned
};

// In test mode nothing is shown: every call is recorded and answered from
// the queues (message answers, file names, colours), each call taking the
// next entry of its own queue; an empty queue gives the default (the box's
// default answer, "", cancelled colour).
void setEnabled(bool on = true);
bool enabled();

void pushAnswer(Answer answer);
void pushFileName(const QString& fileName);
void pushColour(std::optional<Colour> colour);
// The next input box returns the text ("" as if cancelled).
void pushInput(const QString& text);

const QList<Call>& calls();
QList<Call> messages(); // the message boxes only, in order
// Forgets the record and every queued answer.
void clear();
// Queued answers not used yet (a test that scripts too many sees it).
int pendingAnswers();
int pendingFileNames();

// Test mode for the life of the object, starting and ending with a clear
// record and empty queues.
class Scope
{
public:
    Scope()
    {
        setEnabled(true);
        clear();
    }
    ~Scope()
    {
        clear();
        setEnabled(false);
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

} // namespace testing
} // namespace ui
