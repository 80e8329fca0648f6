#ifndef SCORETREE_H
#define SCORETREE_H

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class FileLocations;

// A symbol offered for a code, with its weight or search score.
using ScoredText = QPair<QString, float>;
using ScoredTexts = QList<ScoredText>;

// One node of the code trie: the codes continuing this one, keyed by their
// next letter, and the symbols whose code ends exactly here, in file order.
// The children are kept ordered by letter so that candidates of equal score
// come out in the same order on every run.
struct TreeNode
{
    std::map<char16_t, std::unique_ptr<TreeNode>> children;
    ScoredTexts entries;
};

// One code of a typed string as the dictionary splits it: valid when the
// dictionary knows it, either as a complete code or as the start of one.
struct Segment
{
    QString text;
    bool valid = false;

    bool operator==(const Segment &other) const
    {
        return text == other.text && valid == other.valid;
    }
};

// The vocabulary of the input method: the codes of "wordsdict.csv" in a trie,
// the scored look-up of a code, the splitting of typed letters into codes and
// the fixed table of beat-mark alternatives. The trie is built once and never
// changed afterwards.
class ScoreTree
{
public:
    // The copy of the dictionary carried inside the program.
    static const QString resourcePath;
    // The longest code the dictionary takes; the shipped codes have at most
    // five letters. A longer line is skipped when loading.
    static constexpr int maxCodeLength = 32;

    // Loads the dictionary file of that name from where the program keeps
    // its files, copying the built-in one there first when there is none.
    explicit ScoreTree(const QString &fileName);
    ScoreTree(const QString &fileName, const FileLocations &locations);
    ~ScoreTree();

    ScoreTree(const ScoreTree &) = delete;
    ScoreTree &operator=(const ScoreTree &) = delete;

    // The dictionary file to read: an existing copy beside the executable,
    // else an existing per-user copy, else a new copy of the built-in file
    // written where the program puts new files, else the built-in file
    // itself. Empty only when even the built-in file cannot be read.
    static QString locate(const QString &fileName, const FileLocations &locations);

    // The dictionary file in use; empty when none could be found.
    QString path() const { return m_path; }

    // The symbols of the code, best score first; symbols of one code with
    // equal weights keep their dictionary order. With descendants, also the
    // symbols of every longer code that begins with it, each scored by its
    // weight divided by 1.2 per extra letter.
    ScoredTexts search(const QString &code, bool withDescendants) const;

    // Splits typed letters into consecutive codes, each as long as the trie
    // allows; a letter that starts no code becomes an invalid segment alone.
    QList<Segment> segment(const QString &code) const;

    // The beat marks and ornaments offered in place of a beat mark, the mark
    // itself first; empty for anything that is not one of the eight marks.
    QStringList alternatives(const QString &mark) const;

    // Adds an entry; a code longer than maxCodeLength is refused.
    void insert(const QString &code, const QString &symbol, float weight);

    // The codes that give the symbol, in dictionary order; its name, from the
    // comment of its first line in the dictionary (empty when it has none).
    QStringList codesOf(const QString &symbol) const { return m_codes.value(symbol); }
    QString nameOf(const QString &symbol) const { return m_names.value(symbol); }

private:
    void buildAlternatives();
    void load(const QString &path);

    QString m_path;
    std::unique_ptr<TreeNode> m_root;
    QHash<QString, QStringList> m_alternatives;
    QHash<QString, QStringList> m_codes;
    QHash<QString, QString> m_names;
};

#endif // SCORETREE_H
