// The standard library's own error paths, replaced for the shipped program.
// The library's versions build std::logic_error and its kin, which keep their
// text in a second, reference-counted string type and bring a random device
// and printf-style formatting with them: about 50 KB for errors that only a
// fault in the program can raise (an index past the end, a string too long).
// These throw the program's Exception with the library's text instead, which
// the error report shows like any other error.
#include "base/Exceptions.h"

#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <typeinfo>

namespace std {

void __throw_bad_exception()
{
    throw bad_exception();
}

void __throw_bad_alloc()
{
    throw bad_alloc();
}

void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}

void __throw_bad_cast()
{
    throw bad_cast();
}

void __throw_bad_typeid()
{
    throw bad_typeid();
}

void __throw_logic_error(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_domain_error(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_invalid_argument(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_length_error(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_out_of_range(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_out_of_range_fmt(const char* format, ...)
{
    throw quillon::Exception(format);
}

void __throw_runtime_error(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_range_error(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_overflow_error(const char* what)
{
    throw quillon::Exception(what);
}

void __throw_underflow_error(const char* what)
{
    throw quillon::Exception(what);
}

} // namespace std

// A program without a console has nowhere to print the standard library's
// last words before it aborts, and printing them would link the symbol
// demangler (46 KB).
void __gnu_cxx::__verbose_terminate_handler()
{
    std::abort();
}
