// The dataset builder's row mapping on any CSV text: a table of player season totals is read and its
// rows become stored player rows, then finished as the build finishes them. Malformed text or a
// missing column is refused with std::runtime_error; every row made keeps to the reply layout.
#include "Builders.h"
#include "CsvTable.h"
#include "FuzzSupport.h"

#include <stdexcept>

using namespace statdesk;
using namespace statdesk::dataset;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Dataset dataset{"players_regular", Family::Players, {}};
    try {
        dataset.rows = playerTotalsRows(CsvTable::parse(text), Directory());
    } catch (const std::runtime_error& error) {
        FUZZ_CHECK(std::string_view(error.what()).size() > 0);
        return 0;
    }
    finishDataset(dataset);
    const auto fields = replyFields(Family::Players);
    for (const DatasetRow& row : dataset.rows) {
        FUZZ_CHECK(row.row.family == Family::Players);
        FUZZ_CHECK(row.row.text.size() == fields.size() && row.row.value.size() == fields.size());
        FUZZ_CHECK(row.row.text[4].size() == 4);
        for (size_t field = 0; field < fields.size(); ++field) {
            if (fields[field].type == FieldType::Text && field != 1 && field != 2 && field != 5)
                FUZZ_CHECK_MSG(row.row.text[field].size() <= static_cast<size_t>(fields[field].capacity),
                               "field " + std::to_string(field) + ": " + row.row.text[field]);
        }
    }
    return 0;
}
