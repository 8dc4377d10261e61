#include "domain/CurrencyList.h"

#include "core/Numbers.h"

const std::vector<std::string>& CurrencyList::FillCurrencyList()
{
    static const std::vector<std::string> entries {
        "USD", "GBP", "CAD", "AUD", "JPY", "INR", "NZD", "CHF", "ZAR", "EUR", // 0
        "AFA", "ALL", "DZD", "USD", "USD", "ARS", "AUD", "ATS", "BSD", "BHD", // 10
        "BDT", "BBD", "BEF", "BMD", "BRL", "BGN", "CAD", "XOF", "XAF", "CLP", // 20
        "CNY", "CNY", "CNY", "COP", "XPF", "CRC", "HRK", "CYP", "CZK", "DKK", // 30
        "DEM", "DEM", "DOP", "DOP", "NLG", "NLG", "XCD", "XCD", "EGP", "EEK", // 40
        "EUR", "FJD", "FIM", "FRF", "DEM", "DEM", "XAU", "GRD", "NLG", "NLG", // 50
        "HKD", "HUF", "ISK", "XDR", "XDR", "INR", "IDR", "IRR", "IQD", "IEP", // 60
        "ILS", "ITL", "JMD", "JPY", "JOD", "KES", "KRW", "KWD", "LBP", "LUF", // 70
        "MYR", "MTL", "MUR", "MXN", "MAD", "NLG", "NZD", "NOK", "OMR", "PKR", // 80
        "XPD", "PEN", "PHP", "XPT", "PLN", "PTE", "QAR", "RON", "ROL", "RUB", // 90
        "SAR", "XAG", "SGD", "SKK", "SIT", "ZAR", "KRW", "ESP", "XDR", "XDR", // 100
        "LKR", "SDD", "SEK", "CHF", "TWD", "THB", "TTD", "TTD", "TND", "TRY", // 110
        "TRL", "AED", "AED", "GBP", "USD", "VEB", "VND", "ZMK", "EUR", "XAF", // 120
        "XOF", "XPF", "XCD", "XCD", "EUR", "XDR", "XDR", "XAU", "XAG", "XAU", // 130
        "XPT", "XPD", // 140
    };
    return entries;
}

std::string CurrencyList::codeAt(int index)
{
    if (index < 0 || index >= Count)
        return {};
    return FillCurrencyList()[static_cast<std::size_t>(index)];
}

int CurrencyList::selectionOf(std::string_view storedIndex)
{
    const auto index = wholeNumber32(storedIndex);
    if (!index || *index < 0 || *index >= Count)
        return -1;
    return *index;
}
