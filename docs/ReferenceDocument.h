#pragma once

namespace corvane {

// The five reference documents of the declaration procedure.
enum class ReferenceDocument { Reference, FormUnder5000, FormOver5000, GridForm, Flowchart };

} // namespace corvane
