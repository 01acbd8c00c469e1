#include "highlight/persistent.h"

namespace marlinet::highlight {

void TPersistent::Assign(const TPersistent* Source) {
    if (Source == nullptr) AssignError(nullptr);
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    Dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* Source) const {
    std::string source_name = Source != nullptr ? std::string(Source->ClassName()) : "nil";
    throw EConvertError("Cannot assign a " + source_name + " to a " + std::string(ClassName()));
}

} // namespace marlinet::highlight
