#include "scoretree.h"

#include "atomicfile.h"
#include "filelocations.h"
#include "notation.h"
#include "regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <vector>

const QString ScoreTree::resourcePath = QStringLiteral(":/resources/wordsdict.csv");

namespace {

QString symbolOf(char32_t codePoint)
{
    return QString::fromUcs4(&codePoint, 1);
}

// Highest score first; ties keep the order in which they were collected, so
// that equal candidates are offered in dictionary order.
void sortByScore(ScoredTexts &texts)
{
    if (texts.size() > 1) {
        std::stable_sort(texts.begin(), texts.end(), [](const ScoredText &a, const ScoredText &b) {
            return a.second > b.second;
        });
    }
}

// Entries below the node, each node's descendants before its own entries,
// each scored by its distance from the node searched. Walked with a stack of
// its own: a deep trie must not exhaust the call stack.
void collectBelow(const TreeNode &top, ScoredTexts &result)
{
    struct Visit
    {
        const TreeNode *node;
        int depth;
        std::map<char16_t, std::unique_ptr<TreeNode>>::const_iterator next;
    };
    std::vector<Visit> stack;
    const auto push = [&stack](const TreeNode *node, int depth) {
        stack.push_back({node, depth, node->children.cbegin()});
    };
    for (const auto &child : top.children) {
        push(child.second.get(), 1);
        while (!stack.empty()) {
            Visit &visit = stack.back();
            if (visit.next != visit.node->children.cend()) {
                const TreeNode *next = (visit.next++)->second.get();
                push(next, visit.depth + 1);
                continue;
            }
            const double divisor = std::pow(1.2, visit.depth);
            for (const ScoredText &entry : visit.node->entries)
                result.append({entry.first, float(double(entry.second) / divisor)});
            stack.pop_back();
        }
    }
}

} // namespace

ScoreTree::ScoreTree(const QString &fileName)
    : ScoreTree(fileName, FileLocations::forApplication())
{
}

ScoreTree::ScoreTree(const QString &fileName, const FileLocations &locations)
    : m_root(std::make_unique<TreeNode>())
{
    buildAlternatives();
    m_path = locate(fileName, locations);
    if (!m_path.isEmpty())
        load(m_path);
}

ScoreTree::~ScoreTree()
{
    // unique_ptr would free the trie one call deeper per letter of the
    // longest code; freed from a list of detached nodes, depth costs nothing.
    std::vector<std::unique_ptr<TreeNode>> nodes;
    nodes.push_back(std::move(m_root));
    while (!nodes.empty()) {
        std::unique_ptr<TreeNode> node = std::move(nodes.back());
        nodes.pop_back();
        for (auto &child : node->children)
            nodes.push_back(std::move(child.second));
    }
}

QString ScoreTree::locate(const QString &fileName, const FileLocations &locations)
{
    const QString target = locations.filePath(fileName, FileLocations::Kind::Data);
    if (RegularFile::isRegular(target))
        return target;
    // A folder, a FIFO or a device of that name is neither read nor replaced.
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return resourcePath;

    QFile resource(resourcePath);
    if (!resource.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray content = resource.readAll();

    // Written whole or not at all: a copy cut short would otherwise be taken
    // for the user's dictionary on every later start.
    return AtomicFile::write(target, content) ? target : resourcePath;
}

void ScoreTree::load(const QString &path)
{
    QFile file(path);
    if (!RegularFile::open(file, QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    in.readLine(); // the header

    while (!in.atEnd()) {
        const QStringList parts = in.readLine().split(QLatin1Char(' '));
        if (parts.size() <= 2 || parts.at(1).size() > maxCodeLength)
            continue;

        QString hex = parts.at(0);
        hex.remove(QLatin1Char('U'));
        bool ok = false;
        const uint value = hex.toUInt(&ok, 16);
        // A number that is no Unicode character would come out as a broken
        // string that the font cannot draw and the editor cannot store.
        if (!ok || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            continue;

        float weight = parts.at(2).toFloat(&ok);
        // "nan" and "inf" parse, but a NaN score cannot be ranked at all.
        if (!ok || !std::isfinite(weight))
            weight = 0;

        const QString symbol = symbolOf(value);
        insert(parts.at(1), symbol, weight);
        if (!m_names.contains(symbol))
            m_names.insert(symbol, parts.mid(3).join(QLatin1Char(' ')));
    }
}

void ScoreTree::insert(const QString &code, const QString &symbol, float weight)
{
    if (code.size() > maxCodeLength)
        return;
    TreeNode *node = m_root.get();
    for (const QChar c : code) {
        std::unique_ptr<TreeNode> &child = node->children[c.unicode()];
        if (!child)
            child = std::make_unique<TreeNode>();
        node = child.get();
    }
    node->entries.append({symbol, weight});
    QStringList &codes = m_codes[symbol];
    if (!codes.contains(code))
        codes.append(code);
}

ScoredTexts ScoreTree::search(const QString &code, bool withDescendants) const
{
    const TreeNode *node = m_root.get();
    for (const QChar c : code) {
        const auto child = node->children.find(c.unicode());
        if (child == node->children.end())
            return {};
        node = child->second.get();
    }

    if (!withDescendants) {
        // A user who raises a weight in the dictionary moves its symbol up.
        ScoredTexts result = node->entries;
        sortByScore(result);
        return result;
    }

    ScoredTexts result;
    collectBelow(*node, result);
    result.append(node->entries);
    sortByScore(result);
    return result;
}

QList<Segment> ScoreTree::segment(const QString &code) const
{
    QList<Segment> segments;
    qsizetype start = 0;
    qsizetype i = 0;
    const TreeNode *node = m_root.get();

    while (i < code.size()) {
        const auto child = node->children.find(code.at(i).unicode());
        if (child != node->children.end()) {
            node = child->second.get();
            ++i;
        } else if (i == start) {
            segments.append({code.mid(i, 1), false});
            start = ++i;
            node = m_root.get();
        } else {
            // Letter i starts the next code, looked up again from the root.
            segments.append({code.mid(start, i - start), !node->entries.isEmpty()});
            start = i;
            node = m_root.get();
        }
    }
    // A code that is still being typed is valid when longer codes continue it.
    if (i > start)
        segments.append({code.mid(start), !node->entries.isEmpty() || !node->children.empty()});
    return segments;
}

QStringList ScoreTree::alternatives(const QString &mark) const
{
    return m_alternatives.value(mark);
}

void ScoreTree::buildAlternatives()
{
    // For each beat mark: itself, then the other marks a singer is likeliest
    // to mean instead (the same kind first), then the ornaments.
    using namespace Notation;
    static const char32_t marks[8][8] = {
        {touBan, diBan, zengBan, yaoZengBan, touYan, zhongYan, yaoTouYan, yaoZhongYan},
        {touYan, yaoTouYan, zhongYan, yaoZhongYan, touBan, diBan, zengBan, yaoZengBan},
        {zhongYan, yaoZhongYan, touYan, yaoTouYan, touBan, diBan, zengBan, yaoZengBan},
        {zengBan, yaoZengBan, touBan, diBan, touYan, zhongYan, yaoTouYan, yaoZhongYan},
        {yaoTouYan, touYan, zhongYan, yaoZhongYan, touBan, diBan, zengBan, yaoZengBan},
        {yaoZhongYan, zhongYan, touYan, yaoTouYan, touBan, diBan, zengBan, yaoZengBan},
        {diBan, touBan, zengBan, yaoZengBan, touYan, zhongYan, yaoTouYan, yaoZhongYan},
        {yaoZengBan, zengBan, touBan, diBan, touYan, zhongYan, yaoTouYan, yaoZhongYan},
    };
    static const char32_t ornaments[] = {firstOrnament + 4, lastOrnament,     firstOrnament,
                                         firstOrnament + 1, firstOrnament + 2, firstOrnament + 3};

    for (const auto &row : marks) {
        QStringList list;
        for (const char32_t mark : row)
            list.append(symbolOf(mark));
        for (const char32_t ornament : ornaments)
            list.append(symbolOf(ornament));
        m_alternatives.insert(list.first(), list);
    }
}
