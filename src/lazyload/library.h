#pragma once

#include <QString>

// A system library opened the first time one of its calls is needed rather than linked: every
// linked library, and all it brings along, costs every start of the program, though most
// sessions never back up, fetch a page or check spelling.
//
// A library's calls are listed once, as an X-macro of the names its header declares, and a
// struct holds them:
//
//   #define LIBFOO_CALLS(X) X(foo_open) X(foo_close)
//   struct LibFoo { LAZYLOAD_CALLS(LIBFOO_CALLS) };
//   const LibFoo *foo = lazyload::calls<LibFoo>("libfoo.so.1", &error);
//
// Each member has the type of a pointer to what the header declares, so a call that changed in
// the header fails to compile rather than at run time.
#define LAZYLOAD_MEMBER_(name) decltype(&::name) name = nullptr;
#define LAZYLOAD_RESOLVE_(name) resolver.resolve(name, #name);
#define LAZYLOAD_CALLS(list)                                                                       \
    list(LAZYLOAD_MEMBER_) void resolveWith(lazyload::Resolver &resolver) { list(LAZYLOAD_RESOLVE_) }

namespace lazyload {

// Opens one library (by its soname, never unloaded) and finds its symbols.
class Resolver {
public:
    explicit Resolver(const char *soname);

    template <typename Pointer>
    void resolve(Pointer &pointer, const char *symbol)
    {
        pointer = reinterpret_cast<Pointer>(find(symbol));
    }

    // Empty when the library opened and had every symbol asked for; otherwise why not, in Danish.
    QString error() const { return m_error; }

private:
    void *find(const char *symbol);

    const char *m_soname;
    void *m_handle = nullptr;
    QString m_error;
};

// The calls of soname (always the same one for Calls), resolved the first time any thread asks
// and kept for the life of the process; null, with error set when given, when the library or one
// of the calls is missing.
template <typename Calls>
const Calls *calls(const char *soname, QString *error)
{
    struct Loaded {
        Calls calls;
        QString error;
    };
    static const Loaded loaded = [soname] {
        Loaded l;
        Resolver resolver(soname);
        l.calls.resolveWith(resolver);
        l.error = resolver.error();
        return l;
    }();
    if (!loaded.error.isEmpty()) {
        if (error)
            *error = loaded.error;
        return nullptr;
    }
    return &loaded.calls;
}

} // namespace lazyload
