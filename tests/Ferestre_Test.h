#pragma once
// Driving the program's windows without a display: an offscreen screen of a
// chosen size, the offscreen platform's notes about what it cannot do (raise
// a window, grab the keyboard), which it prints at every window, hushed, and
// a combo box's text chosen as the user does.

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFocusEvent>
#include <QString>
#include <QTest>
#include <QtGlobal>

namespace ferestre_test {

// Writes the screen's description as ecran.json in the folder and has the
// QApplication made next use it. False when the file cannot be written.
inline bool Ecran_Offscreen(const QString& folder, int latime, int inaltime)
{
    QFile config(folder + QStringLiteral("/ecran.json"));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(QStringLiteral(R"({"screens":[{"name":"Ecran","x":0,"y":0,"width":%1,"height":%2,)"
                                    R"("logicalDpi":96,"logicalBaseDpi":96}]})")
                         .arg(latime)
                         .arg(inaltime)
                         .toUtf8()) < 0)
        return false;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    return true;
}

inline QtMessageHandler g_mesajeImplicite = nullptr;

inline void Mesaje_Qt(QtMsgType tip, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("This plugin does not support")))
        return;
    // With no locale set Qt warns that the C locale is not UTF-8; it keeps
    // UTF-8 all the same, and the program takes Romanian forms by itself.
    if (text.startsWith(QLatin1String("Detected locale")))
        return;
    g_mesajeImplicite(tip, context, text);
}

// Everything else goes through as before.
inline void Liniste_Offscreen()
{
    if (!g_mesajeImplicite) // once: a second call would make it its own default
        g_mesajeImplicite = qInstallMessageHandler(Mesaje_Qt);
}

// The text typed (an editable box) or the first item that starts with it
// picked, then the user's Tab leaves the box.
inline void Alege_In_Combo(QComboBox* c, const QString& text)
{
    c->setFocus();
    const int i = c->findText(text, Qt::MatchStartsWith);
    if (c->isEditable())
        c->setEditText(i >= 0 ? c->itemText(i) : text);
    if (i >= 0)
        c->setCurrentIndex(i);
    QTest::keyClick(c, Qt::Key_Tab);
    // A window that is not the active one gets no focus events: the box is
    // told it lost the focus, as the Tab would have told it.
    if (!c->window()->isActiveWindow()) {
        QFocusEvent iesire(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(c, &iesire);
    }
}

} // namespace ferestre_test
