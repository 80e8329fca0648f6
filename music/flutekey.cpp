#include "flutekey.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

struct Spelling
{
    const char16_t *text;
    FluteKey key;
};

// Longer spellings first, so that "小工调" is not read as "工调".
const Spelling spellings[] = {
    {u"小工调", FluteKey::XiaoGong}, {u"小工", FluteKey::XiaoGong},
    {u"凡字调", FluteKey::Fan},      {u"凡调", FluteKey::Fan},     {u"凡字", FluteKey::Fan},
    {u"六字调", FluteKey::Liu},      {u"六调", FluteKey::Liu},     {u"六字", FluteKey::Liu},
    {u"正工调", FluteKey::ZhengGong},{u"正宫调", FluteKey::ZhengGong}, {u"正工", FluteKey::ZhengGong},
    {u"五字调", FluteKey::ZhengGong},{u"五调", FluteKey::ZhengGong},{u"五字", FluteKey::ZhengGong},
    {u"乙字调", FluteKey::Yi},       {u"乙调", FluteKey::Yi},      {u"乙字", FluteKey::Yi},
    {u"上字调", FluteKey::Shang},    {u"上调", FluteKey::Shang},   {u"上字", FluteKey::Shang},
    {u"尺字调", FluteKey::Chi},      {u"尺调", FluteKey::Chi},     {u"尺字", FluteKey::Chi},
};

// Traditional forms of the characters the spellings use.
QString simplified(QString text)
{
    text.replace(QChar(u'調'), QChar(u'调'));
    text.replace(QChar(u'宮'), QChar(u'宫'));
    return text;
}

} // namespace

std::optional<FluteKey> FluteKeys::parse(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral(u"[\\s·・.．、/／,，:：()（）]+"));
    // The key comes last when a 宫调 goes before it; a part must be a key
    // spelling as a whole, so that the 宫调 "正宫" is not read as a key.
    const QStringList parts = simplified(text).split(separators, Qt::SkipEmptyParts);
    for (auto part = parts.crbegin(); part != parts.crend(); ++part) {
        for (const Spelling &s : spellings) {
            if (*part == QStringView(s.text))
                return s.key;
        }
    }
    return std::nullopt;
}

QString FluteKeys::name(FluteKey key)
{
    static const char16_t *const names[count] = {u"小工调", u"凡字调", u"六字调", u"正工调",
                                                  u"乙字调", u"上字调", u"尺字调"};
    return QString::fromUtf16(names[int(key)]);
}

int FluteKeys::signatureOf(int pitchClass)
{
    // Walking the circle of fifths from C: the fewer accidentals win.
    static const int signatures[12] = {0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};
    return signatures[((pitchClass % 12) + 12) % 12];
}
