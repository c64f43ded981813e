#pragma once
// The data-source callback: what an object must answer to be given to a
// grid's DataSource. Binding calls Class_GetDataMember exactly once on the
// new object; the object fills Data with a recordset (an ado::Recordset held
// in the Variant), or leaves it as it is when it has no rows to give, and
// the grid then shows no rows.
//
// A data-source object is a vb::Object (so a Variant can hold it) that also
// implements this interface; the grid finds the interface by dynamic_cast.

#include <string>

#include "platform/vb/Variant.h"

namespace grid {

class DataSource {
public:
    DataSource() = default;
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;
    virtual ~DataSource() = default;

    // DataMember: the data member the consumer asks for ("" for the
    // default one). Data: filled with the rows.
    virtual void Class_GetDataMember(const std::string& DataMember, vb::Variant& Data) = 0;
};

} // namespace grid
