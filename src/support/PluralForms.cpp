#include "support/PluralForms.h"

#include <array>
#include <string_view>

namespace {

struct TPluralRule
{
    // Two-letter codes separated by blanks.
    std::string_view Languages;
    int Count;
    int (*Index)(quint64 n);
};

// The rules of the GNU gettext manual ("Plural forms").
const std::array<TPluralRule, 11> Rules{{
    {"ja ko vi zh th id ms", 1, [](quint64) { return 0; }},
    {"fr", 2, [](quint64 n) { return n > 1 ? 1 : 0; }},
    {"lv", 3, [](quint64 n) { return n % 10 == 1 && n % 100 != 11 ? 0
                                     : n != 0                     ? 1
                                                                  : 2; }},
    {"ga", 3, [](quint64 n) { return n == 1   ? 0
                                     : n == 2 ? 1
                                              : 2; }},
    {"ro", 3,
     [](quint64 n) { return n == 1                                      ? 0
                            : (n == 0 || (n % 100 > 0 && n % 100 < 20)) ? 1
                                                                        : 2; }},
    {"lt", 3,
     [](quint64 n) {
         return n % 10 == 1 && n % 100 != 11                     ? 0
                : n % 10 >= 2 && (n % 100 < 10 || n % 100 >= 20) ? 1
                                                                 : 2;
     }},
    {"ru uk be sr hr bs", 3,
     [](quint64 n) {
         return n % 10 == 1 && n % 100 != 11                                    ? 0
                : n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 10 || n % 100 >= 20) ? 1
                                                                                : 2;
     }},
    {"cs sk", 3, [](quint64 n) { return n == 1               ? 0
                                        : (n >= 2 && n <= 4) ? 1
                                                             : 2; }},
    {"pl", 3,
     [](quint64 n) {
         return n == 1 ? 0 : n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 10 || n % 100 >= 20) ? 1 : 2;
     }},
    {"sl", 4,
     [](quint64 n) {
         return n % 100 == 1 ? 0 : n % 100 == 2 ? 1 : (n % 100 == 3 || n % 100 == 4) ? 2 : 3;
     }},
    {"ar", 6,
     [](quint64 n) {
         return n == 0                          ? 0
                : n == 1                        ? 1
                : n == 2                        ? 2
                : n % 100 >= 3 && n % 100 <= 10 ? 3
                : n % 100 >= 11                 ? 4
                                                : 5;
     }},
}};

// English and every language not listed: the singular for one only.
const TPluralRule SingularForOne{"", 2, [](quint64 n) { return n != 1 ? 1 : 0; }};
// Brazilian Portuguese counts like French.
const TPluralRule &ZeroAndOneSingular = Rules[1];

const TPluralRule &RuleOf(const QString &languageCode)
{
    const QString code = languageCode.toLower();
    if (code.startsWith(QStringLiteral("pt_br")) || code.startsWith(QStringLiteral("pt-br")))
        return ZeroAndOneSingular;
    if (code.size() < 2)
        return SingularForOne;
    const QByteArray lang = code.left(2).toLatin1();
    const std::string_view name(lang.constData(), 2);
    for (const TPluralRule &rule : Rules) {
        for (std::size_t i = 0; i + 2 <= rule.Languages.size(); i += 3) {
            if (rule.Languages.substr(i, 2) == name)
                return rule;
        }
    }
    return SingularForOne;
}

} // namespace

int PluralFormCount(const QString &languageCode)
{
    return RuleOf(languageCode).Count;
}

int PluralFormIndex(const QString &languageCode, quint64 n)
{
    return RuleOf(languageCode).Index(n);
}
