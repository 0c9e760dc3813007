#include "common/RegistriiOperatii_Citire.h"

reg::HKEY Return_HKEY(const QString& numeRadacina)
{
    for (reg::HKEY h = reg::HKEY_CLASSES_ROOT; h <= reg::HKEY_DYN_DATA; ++h) {
        if (reg::rootName(h) == numeRadacina)
            return h;
    }
    return 0;
}

long Citeste_Valoare_Cheie_Deschisa(reg::HKEY cheie, const QString& nume, db::Variant& valoare)
{
    std::uint32_t tip = 0;
    std::uint32_t marime = 0;
    long cod = reg::queryValue(cheie, nume, &tip, &marime);
    if (cod != reg::ERROR_SUCCESS)
        return cod;
    if (tip == reg::REG_SZ) {
        QString buffer(static_cast<qsizetype>(marime), QChar(u'\0'));
        cod = reg::queryTextValue(cheie, nume, &buffer, &marime);
        if (cod == reg::ERROR_SUCCESS)
            valoare = db::Variant(buffer.left(marime > 0 ? marime - 1 : 0));
        else
            valoare = db::Variant();
        return cod;
    }
    if (tip == reg::REG_DWORD) {
        std::uint32_t n = 0;
        cod = reg::queryDWordValue(cheie, nume, &n);
        if (cod == reg::ERROR_SUCCESS)
            valoare = db::Variant(static_cast<int>(static_cast<qint32>(n)));
        return cod;
    }
    return -1;
}

db::Variant Citeste_Valoare_Registru(reg::HKEY radacina, const QString& cheie, const QString& nume)
{
    reg::HKEY h = 0;
    db::Variant valoare;
    if (reg::openKey(radacina, cheie, reg::KEY_ALL_SPECIFIC, &h) != reg::ERROR_SUCCESS)
        return valoare;
    Citeste_Valoare_Cheie_Deschisa(h, nume, valoare);
    reg::closeKey(h);
    return valoare;
}
