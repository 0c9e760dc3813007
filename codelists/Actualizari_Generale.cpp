#include "codelists/Actualizari_Generale.h"

#include "common/Verifica_Null.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kAlbastru = 0xFF0000;
constexpr qint64 kAlb = 0xFFFFFF;
constexpr qint64 kRosu = 0x0000FF;
constexpr qint64 kNegru = 0;

using A = Coloana_Actualizare::Aliniere;

// A column in the blue most columns of the tables have.
Coloana_Actualizare Albastra(int index, const QString& titlu, int latime)
{
    Coloana_Actualizare c;
    c.index = index;
    c.titlu = titlu;
    c.latime = latime;
    c.culoareText = kAlbastru;
    return c;
}

Coloana_Actualizare Simpla(int index, const QString& titlu, int latime)
{
    Coloana_Actualizare c;
    c.index = index;
    c.titlu = titlu;
    c.latime = latime;
    return c;
}

Coloana_Actualizare Centrata(Coloana_Actualizare c, bool bifa = false)
{
    c.aliniere = A::Centru;
    c.bifa = bifa;
    return c;
}

Coloana_Actualizare Formatata(Coloana_Actualizare c, const QString& format)
{
    c.format = format;
    return c;
}

Coloana_Actualizare Cu_Lista(Coloana_Actualizare c, Lista_Coduri lista, bool validata)
{
    c.lista = lista;
    c.validata = validata;
    return c;
}

// The query up to its ORDER BY (the whole query when it has none).
QString Fara_Ordine(const QString& sql)
{
    const qsizetype o = sql.indexOf(u"ORDER BY"_s);
    return o < 0 ? sql : sql.left(o);
}

Configuratie_Actualizare Tabela(std::int32_t tip, const QString& titlu, const QString& sql, bool peFirma)
{
    Configuratie_Actualizare c;
    c.tip = tip;
    c.titlu = titlu;
    c.sql = sql;
    c.peFirma = peFirma;
    c.capSortare = Fara_Ordine(sql);
    return c;
}

} // namespace

QString Interogare_Lista_Coduri(Lista_Coduri lista)
{
    switch (lista) {
    case Lista_Coduri::Tari:
        return u"SELECT [Tara_Cod], [Tara_Desc] FROM [Tari]"_s + u" ORDER BY [Tara_Cod]"_s;
    case Lista_Coduri::Incoterms:
        return u"SELECT [Incoterms_COD], [Incoterms_DESC] FROM [Incoterms]"_s +
               u" ORDER BY [Incoterms_COD]"_s;
    case Lista_Coduri::Monezi:
        return u"SELECT [Moneda_COD], [Moneda_DESC] FROM [Monezi]"_s + u" ORDER BY [Moneda_COD]"_s;
    case Lista_Coduri::Niciuna:
        break;
    }
    return QString();
}

std::optional<Configuratie_Actualizare> Configuratie_Tip_Actualizare(std::int32_t tip)
{
    const QString fix = u"ACTUALIZARI GENERALE: "_s;
    switch (tip) {
    case 1: {
        Configuratie_Actualizare c = Tabela(tip, fix + u"FEL OPERATIUNI"_s,
                                            u"SELECT * FROM [Tip_Operatiune] ORDER BY [Cod_OP]"_s, false);
        c.coloane = {Albastra(0, u"COD"_s, 2000), Albastra(1, u"DESCRIERE"_s, 5000),
                     Centrata(Albastra(2, u"INTRASTAT"_s, 1500), true),
                     Centrata(Albastra(3, u"RAPORT UE"_s, 1500), true),
                     Centrata(Albastra(4, u"NON Transferuri"_s, 1500), true)};
        return c;
    }
    case 2: {
        Configuratie_Actualizare c = Tabela(tip, fix + u"PARTENERI EXTERNI"_s,
                                            u"SELECT * FROM [Furnizori] ORDER BY [Cod_Partener]"_s, true);
        Coloana_Actualizare tva = Simpla(2, QString(), 0);
        tva.culoareFundal = kRosu;
        c.coloane = {Albastra(0, QString(), 2000),
                     Albastra(1, QString(), 4000),
                     tva,
                     Cu_Lista(Simpla(7, u"Cod Tara"_s, 1200), Lista_Coduri::Tari, true),
                     Cu_Lista(Simpla(8, u"Tara Expeditie"_s, 1400), Lista_Coduri::Tari, true),
                     Cu_Lista(Simpla(16, QString(), 0), Lista_Coduri::Incoterms, false)};
        return c;
    }
    case 3: {
        Configuratie_Actualizare c =
            Tabela(tip, fix + u"MATERII PRIME"_s, u"SELECT * FROM [MA] ORDER BY [Cod_MA_PF]"_s, true);
        c.stangaGrila = 100;
        c.liniiTitlu = 2;
        Coloana_Actualizare altaLimba = Simpla(2, u"Descriere alta limba"_s, 2000);
        altaLimba.culoareText = kNegru;
        Coloana_Actualizare codVamal = Albastra(4, u"Cod vamal 8"_s, 1700);
        codVamal.buton = true;
        codVamal.cautareTarif = true;
        c.coloane = {Albastra(0, u"COD"_s, 1500),
                     Albastra(1, u"Descriere RO"_s, 2800),
                     altaLimba,
                     Albastra(3, u"UM"_s, 800),
                     codVamal,
                     Formatata(Albastra(5, u"Greutate Neta"_s, 900), u"##,##0.0000"_s),
                     Formatata(Simpla(6, u"Pret Unitar"_s, 1000), u"##,##0.0000"_s),
                     Cu_Lista(Albastra(7, u"Cod Tara Orig"_s, 1300), Lista_Coduri::Tari, true),
                     Formatata(Simpla(8, u"Pret Unitar MATERIALE"_s, 1200), u"##,##0.0000"_s)};
        return c;
    }
    case 4: {
        Configuratie_Actualizare c =
            Tabela(tip, fix + u"RATE DE SCHIMB"_s, u"SELECT * FROM [Rate_Schimb]"_s, false);
        c.stangaGrila = 100;
        c.liniiTitlu = 2;
        c.coloane = {Cu_Lista(Albastra(0, u"Moneda"_s, 1500), Lista_Coduri::Monezi, true),
                     Albastra(1, u"Valid la data"_s, 2000),
                     Formatata(Albastra(2, u"Curs de schimb"_s, 1500), u"##,##0.0000"_s)};
        return c;
    }
    case 5: {
        Configuratie_Actualizare c =
            Tabela(tip, fix + u"AMBALAJE"_s, u"SELECT * FROM [Package] ORDER BY [Cod_Ambalaj]"_s, false);
        const QString doua = u"##,##0.00"_s;
        c.coloane = {Albastra(0, u"COD"_s, 1500),
                     Albastra(1, u"Descriere RO"_s, 2500),
                     Albastra(2, u"Descriere EN"_s, 2500),
                     Formatata(Albastra(3, u"Greutate [Kg]"_s, 1400), doua),
                     Formatata(Albastra(4, u"Lungime [cm]"_s, 1300), doua),
                     Formatata(Albastra(5, u"Latime [cm]"_s, 1200), doua),
                     Formatata(Albastra(6, u"Inaltime [cm]"_s, 1300), doua)};
        return c;
    }
    case 6: {
        Configuratie_Actualizare c =
            Tabela(tip, fix + u"Numere Facturi"_s, u"SELECT * FROM [SeriiFacturi] ORDER BY [Seria]"_s, true);
        Coloana_Actualizare ultimul = Simpla(5, QString(), 0);
        ultimul.blocat = true;
        c.coloane = {Centrata(Simpla(0, u"Seria"_s, 1000)),
                     Albastra(1, u"Nr Inceput"_s, 1500),
                     Albastra(2, u"Nr Sfarsit"_s, 1500),
                     Centrata(Albastra(3, u"Lungime caractere"_s, 1800)),
                     Centrata(Albastra(4, u"Serie Valida"_s, 1200), true),
                     ultimul};
        return c;
    }
    case 7: {
        Configuratie_Actualizare c =
            Tabela(tip, fix + u"Jurnale TVA"_s, u"SELECT * FROM [Jurnale_TVA] ORDER BY Vanzari, Cod_Jurnal"_s,
                   false);
        c.liniiTitlu = 3;
        Coloana_Actualizare descriere = Albastra(1, u"Descriere"_s, 2800);
        descriere.aliniere = A::Stanga;
        c.coloane = {Centrata(Simpla(0, u"Cod Jurnal"_s, 1500)),
                     descriere,
                     Centrata(Albastra(2, u"Vanzari"_s, 1000), true),
                     Centrata(Albastra(3, u"Cumparari"_s, 1000), true),
                     Centrata(Albastra(4, u"Coloana Jurnal Vanzari"_s, 1200)),
                     Centrata(Albastra(5, u"Coloana Jurnal Cumparari"_s, 1200))};
        return c;
    }
    case 13: {
        Configuratie_Actualizare c = Tabela(
            tip, u"Actualizare Rapoarte"_s,
            u"SELECT Reports.REP_ID, Reports.REP_NAME, "_s + u"Reports.REP_DESC, "_s +
                u"REPORTS_SEL.REP_DESCRIPTION "_s + u"FROM Reports INNER JOIN "_s + u"REPORTS_SEL ON "_s +
                u"Reports.REP_ID = REPORTS_SEL.REP_ID "_s + u"ORDER BY Reports.REP_ID"_s,
            false);
        c.stangaGrila = 500;
        c.latimeGrila = 11200;
        c.inaltimeRand = 1000;
        c.liniiTitlu = 2;
        c.adaugare = false;
        c.stergere = false;
        Coloana_Actualizare id = Albastra(0, u"Report ID"_s, 1000);
        id.aliniere = A::Stanga;
        id.blocat = true;
        id.culoareFundal = kAlb;
        Coloana_Actualizare nume = Simpla(1, u"Report Name"_s, 2000);
        nume.aliniere = A::Stanga;
        nume.blocat = true;
        nume.culoareFundal = kAlb;
        Coloana_Actualizare descriere = Simpla(2, u"Report Descriere"_s, 4000);
        descriere.aliniere = A::Stanga;
        descriere.incadrat = true;
        Coloana_Actualizare suplimentar = Simpla(3, u"Report Descriere Suplimentare"_s, 4000);
        suplimentar.aliniere = A::Stanga;
        suplimentar.incadrat = true;
        c.coloane = {id, nume, descriere, suplimentar};
        return c;
    }
    default:
        return std::nullopt;
    }
}

QString Interogare_Sortata(const Configuratie_Actualizare& config, const QString& camp)
{
    return config.capSortare + u" ORDER BY ["_s + camp + u']';
}

QList<QPair<int, db::Variant>> Valori_Implicite_Rand(std::int32_t tip, const QStringList& campuri,
                                                     const std::function<db::Variant(int)>& celula)
{
    QList<QPair<int, db::Variant>> valori;
    const auto gol = [&](int coloana, const db::Variant& valoare) {
        if (coloana < campuri.size() && Este_Null(celula(coloana)))
            valori.append({coloana, valoare});
    };
    switch (tip) {
    case 1:
    case 7:
        gol(2, db::Variant(false));
        gol(3, db::Variant(false));
        break;
    case 6:
        gol(4, db::Variant(1));
        break;
    case 3:
        for (const QString& camp : {u"UM"_s, u"Greutate_Neta"_s, u"Pret_Unitar"_s, u"PU_Materiale"_s}) {
            int coloana = 0;
            while (coloana < campuri.size() && campuri.at(coloana).compare(camp, Qt::CaseInsensitive) != 0)
                ++coloana;
            if (coloana >= campuri.size())
                continue;
            const db::Variant v = celula(coloana);
            const db::Variant nou = Null_La_Valoare(v, db::Variant(0));
            if (!(nou == v))
                valori.append({coloana, nou});
        }
        break;
    default:
        break;
    }
    return valori;
}
