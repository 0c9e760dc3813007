#include "reports/Exporta_Raport.h"

#include "common/Deschide_Fisier.h"
#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "platform/sys/clock.h"
#include "platform/ui/mesaj.h"

#include <QElapsedTimer>

using namespace Qt::StringLiterals;

namespace {

Pornire_Vizualizator& pornire()
{
    static Pornire_Vizualizator p = Porneste_Deschiderea;
    return p;
}

} // namespace

void Seteaza_Pornire_Vizualizator(Pornire_Vizualizator p)
{
    pornire() = p ? std::move(p) : Pornire_Vizualizator(Porneste_Deschiderea);
}

QString Nume_Fisier_Export(const QString& titluFereastra, const QString& captiuneRaport, const QDate& azi)
{
    // The text that begins two characters after the first ":" (from the
    // second character when there is none).
    const qsizetype doua_puncte = titluFereastra.indexOf(u':');
    const QString dupa = titluFereastra.mid(doua_puncte < 0 ? 1 : doua_puncte + 2);
    QString nume;
    if (!Este_Null(db::Variant(dupa)))
        nume = QString(dupa).remove(u' ');
    else
        nume = captiuneRaport + u'_' + azi.toString(u"dd.MM.yyyy"_s);
    nume.replace(u'.', u'_');
    for (const QChar c : {u',', u'!', u'@', u'%', u'$'})
        nume.remove(c);
    nume.replace(u'/', u'_').replace(u'\\', u'_');
    for (const QChar c : {u'+', u'-', u'*', u'&', u';', u':'})
        nume.remove(c);
    return nume;
}

QString Cale_Fisier_Export(Format_Export format, const QString& nume)
{
    return format == Format_Export::HTML ? Folder_Sistem + u"Rapoarte/HTML/"_s + nume + u".Htm"_s
                                         : Folder_Sistem + u"Rapoarte/PDF/"_s + nume + u".pdf"_s;
}

QString Exporta_Raport(Raport_Definit& raport, Format_Export format, const QString& titluFereastra)
{
    QElapsedTimer ceas;
    ceas.start();
    if (raport.SursaReport.busy())
        return QString();
    const bool html = format == Format_Export::HTML;
    const QString cale = Cale_Fisier_Export(
        format, Nume_Fisier_Export(titluFereastra, raport.Captiune_Raport, sys::Clock::today()));
    const db::Error e =
        raport.SursaReport.renderToFile(cale, html ? report::FileFormat::Html : report::FileFormat::Pdf);
    if (e) {
        // Nothing was written: no offer to open a file that is not there,
        // and no time of a file made.
        ui::msgBox(u"Error "_s + QString::number(e.number) + u"\r\n"_s + e.description, ui::Icon::None);
        return QString();
    }
    const ui::Answer raspuns =
        ui::msgBox(u"A FOST GENERAT FISIERUL: "_s + u"\r\n"_s + cale + u"\r\n"_s + u"DESCHID FISIERUL ?"_s,
                   ui::Icon::None, ui::Buttons::YesNoCancel, u"MESAJ"_s);
    const bool gasit = html ? Exista_IExplore : Exista_AcroRd32;
    if (raspuns == ui::Answer::Yes) {
        // The viewer's answer is waited for: a file it could not open, or no
        // viewer to open it, is an error of the export, said with where the
        // file is.
        const QString vizualizator = html ? Cale_IExplore : Cale_AcroRd32;
        const std::optional<QString> motiv =
            gasit ? pornire()(vizualizator, {cale}) : std::optional(Motiv_Fara_Vizualizator(vizualizator));
        if (motiv)
            ui::msgBox(u"Error "_s + QString::number(db::ErrorNumber::General) + u"\r\n"_s +
                           Text_Fisier_Nedeschis(cale, *motiv),
                       ui::Icon::None);
    }
    return (html ? u"HTML - Raport generat in: "_s : u"PDF - Raport generat in: "_s) +
           Format_Secunde(double(ceas.elapsed()) / 1000.0) + u" secunde"_s;
}
