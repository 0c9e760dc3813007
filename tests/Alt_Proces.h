#pragma once
// Another process of the program for a test: tine_deschis keeping a
// database open (or holding the lock of a running executable) until the
// test ends it or kills it.

#include <QProcess>
#include <QStringList>

#ifndef TINE_DESCHIS_PATH
#error "TINE_DESCHIS_PATH names the tine_deschis helper"
#endif

class Alt_Proces
{
public:
    Alt_Proces() = default;
    ~Alt_Proces() { opreste(); }
    Alt_Proces(const Alt_Proces&) = delete;
    Alt_Proces& operator=(const Alt_Proces&) = delete;

    // Starts the helper; its first answer ("deschis" or "eroare ...").
    QString porneste(const QStringList& argumente)
    {
        m_proces.setProgram(QStringLiteral(TINE_DESCHIS_PATH));
        m_proces.setArguments(argumente);
        m_proces.start();
        if (!m_proces.waitForStarted(10000))
            return QStringLiteral("eroare not started");
        return raspuns();
    }
    QString deschide(const QString& textConexiune) { return porneste({textConexiune}); }

    // Runs one command in the other process: "ok" or "eroare ...".
    QString comanda(const QString& sql)
    {
        m_proces.write(sql.toUtf8() + '\n');
        return raspuns();
    }

    // Killed, as a process that crashes or is ended from outside.
    void omoara()
    {
        m_proces.kill();
        m_proces.waitForFinished(10000);
    }

    // Ends it the ordinary way (its connection closes).
    void opreste()
    {
        if (m_proces.state() == QProcess::NotRunning)
            return;
        m_proces.closeWriteChannel();
        if (!m_proces.waitForFinished(10000))
            omoara();
    }

private:
    QString raspuns()
    {
        while (!m_proces.canReadLine())
            if (!m_proces.waitForReadyRead(15000))
                return QStringLiteral("eroare no answer");
        return QString::fromUtf8(m_proces.readLine()).trimmed();
    }

    QProcess m_proces;
};
