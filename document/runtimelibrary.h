#ifndef RUNTIMELIBRARY_H
#define RUNTIMELIBRARY_H

#include <QLibrary>
#include <QString>

// A table of a library's functions, filled the first time the program asks
// for it. On Linux the program opens the library by its soname then, so that
// a start does not load it; elsewhere it is linked with the library and the
// table takes the linked functions.
//
// Table derives from RuntimeLibrary<Table> and has `bool open(QString
// *error)`, which fills its pointers through load() and resolve(), or from
// the linked functions (see FluidSynthLibrary, ZipLibrary).
template <typename Table>
class RuntimeLibrary
{
public:
    // The table, filled at the first call, by whichever thread asks first;
    // nullptr when the library cannot be opened or lacks a function.
    static const Table *instance()
    {
        static Table table;
        static const bool opened = table.open(&openingError());
        return opened ? &table : nullptr;
    }
    // Why instance() is nullptr: the library's name and what the system said.
    static QString loadError()
    {
        instance();
        return openingError();
    }

protected:
    // Opens the library for good: what was made from it may live to the
    // program's end.
    static bool load(QLibrary &library, QString *error)
    {
        if (library.load())
            return true;
        *error = library.errorString();
        return false;
    }
    template <typename Function>
    static bool resolve(QLibrary &library, const char *name, Function &function, QString *error)
    {
        function = reinterpret_cast<Function>(library.resolve(name));
        if (!function)
            *error = library.errorString();
        return function;
    }

private:
    static QString &openingError()
    {
        static QString error;
        return error;
    }
};

#endif // RUNTIMELIBRARY_H
