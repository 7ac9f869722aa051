#include "localisation/LangUtils.h"

const std::array<TLangEntry, 82> LangEntries = {{
    {u"af", 0x436}, {u"am", 0x45E}, {u"ar", 0x401},  {u"as", 0x44D}, {u"az", 0x42C}, {u"be", 0x423},
    {u"bg", 0x402}, {u"bn", 0x445}, {u"bs", 0x141A}, {u"ca", 0x403}, {u"cs", 0x405}, {u"cy", 0x452},
    {u"da", 0x406}, {u"de", 0x407}, {u"el", 0x408},  {u"en", 0x409}, {u"es", 0xC0A}, {u"et", 0x425},
    {u"eu", 0x42D}, {u"fa", 0x429}, {u"fi", 0x40B},  {u"fo", 0x438}, {u"fr", 0x40C}, {u"ga", 0x83C},
    {u"gl", 0x456}, {u"gu", 0x447}, {u"he", 0x40D},  {u"hi", 0x439}, {u"hr", 0x41A}, {u"hu", 0x40E},
    {u"hy", 0x42B}, {u"id", 0x421}, {u"is", 0x40F},  {u"it", 0x410}, {u"ja", 0x411}, {u"ka", 0x437},
    {u"kk", 0x43F}, {u"km", 0x453}, {u"kn", 0x44B},  {u"ko", 0x412}, {u"ky", 0x440}, {u"lb", 0x46E},
    {u"lo", 0x454}, {u"lt", 0x427}, {u"lv", 0x426},  {u"mk", 0x42F}, {u"ml", 0x44C}, {u"mn", 0x450},
    {u"mr", 0x44E}, {u"ms", 0x43E}, {u"mt", 0x43A},  {u"nb", 0x414}, {u"ne", 0x461}, {u"nl", 0x413},
    {u"nn", 0x814}, {u"no", 0x414}, {u"or", 0x448},  {u"pa", 0x446}, {u"pl", 0x415}, {u"pt", 0x816},
    {u"rm", 0x417}, {u"ro", 0x418}, {u"ru", 0x419},  {u"si", 0x45B}, {u"sk", 0x41B}, {u"sl", 0x424},
    {u"sq", 0x41C}, {u"sr", 0xC1A}, {u"sv", 0x41D},  {u"sw", 0x441}, {u"ta", 0x449}, {u"te", 0x44A},
    {u"tg", 0x428}, {u"th", 0x41E}, {u"tk", 0x442},  {u"tr", 0x41F}, {u"uk", 0x422}, {u"ur", 0x420},
    {u"uz", 0x443}, {u"vi", 0x42A}, {u"zh", 0x804},  {u"zu", 0x435},
}};

int LanguageIdOf(const QString &code)
{
    if (code.size() < 2)
        return 0;
    for (const TLangEntry &entry : LangEntries) {
        if (code.startsWith(QStringView(entry.ShortName), Qt::CaseInsensitive))
            return entry.Id;
    }
    return 0;
}

QString LanguageCodeOf(int id)
{
    if (id == 0)
        return QString();
    for (const TLangEntry &entry : LangEntries) {
        if (entry.Id == id)
            return QString::fromUtf16(entry.ShortName);
    }
    // The low ten bits are the language, the rest the region.
    for (const TLangEntry &entry : LangEntries) {
        if ((entry.Id & 0x3ff) == (id & 0x3ff))
            return QString::fromUtf16(entry.ShortName);
    }
    return QString();
}
