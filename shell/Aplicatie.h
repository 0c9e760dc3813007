#pragma once
// The program's application object: the last guard of the event loop. An
// exception that no handler caught (memory that ran out, a failure of a
// library) ends the action that raised it with a message, and the program
// goes on; it never reaches Qt, which would end the process without a word.

#include <QApplication>
#include <exception>

class Aplicatie : public QApplication
{
public:
    Aplicatie(int& argc, char** argv);

    bool notify(QObject* obiect, QEvent* eveniment) override;
};

// The message shown for an exception that reached the guard.
// `continua`: the program goes on (else it ends).
QString Mesaj_Exceptie(std::exception_ptr exceptie, bool continua = true);
// Shows it (through the message seam); when even that fails, writes it to
// the error output.
void Arata_Exceptie(std::exception_ptr exceptie, bool continua = true);
