// The root of the highlighter object model: objects that can copy their
// published values from one another, and the failures the model raises.
#pragma once

#include <string>
#include <string_view>

#include "support/errors.h"
#include "support/object.h"

namespace marlinet::highlight {

using support::TObject;

// Every failure of the highlighter layer is one; `what()` is the fixed
// message text.
using support::Exception;
// A copy between objects of unrelated classes.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
// An operation that the concrete class does not implement.
class EAbstractError : public Exception {
public:
    EAbstractError() : Exception("Abstract Error") {}
};
// A sorted list refused a name it already holds.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TPersistent : public TObject {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;

    // Copies the published values of `Source`. The generic form lets the
    // source try (AssignTo) and fails with EConvertError when neither side
    // knows the other; a null source always fails.
    virtual void Assign(const TPersistent* Source);

    virtual std::string_view ClassName() const { return "TPersistent"; }

protected:
    // Copies this object's values into `Dest`; the generic form fails.
    virtual void AssignTo(TPersistent* Dest) const;
    // Throws "Cannot assign a <source class or nil> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

} // namespace marlinet::highlight
