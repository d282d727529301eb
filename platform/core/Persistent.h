#pragma once

#include "platform/core/Exception.h"

#include <string>

namespace dd {

// The persistent-object base: Assign asks the source to assign itself, and a pair of classes
// that know nothing of each other fails with the conversion error.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual std::string ClassName() const = 0;
    virtual void Assign(const TPersistent& source) { source.AssignTo(*this); }

protected:
    virtual void AssignTo(TPersistent& dest) const {
        throw EConvertError(ClassName(), dest.ClassName());
    }
};

} // namespace dd
