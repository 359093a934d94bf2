#pragma once
#include <string>

namespace oxi {

// The name, without extension, of a file made from the record file `recordName`: the
// measurement's title, followed by the letter that tells apart records started in the
// same minute ("2603150905b.oxi" titled "2026_0315_0905" gives "2026_0315_0905b"), so
// that such records never share an output file. A name without such a letter adds none.
std::string ExportFileStem(const std::string& recordName, const std::string& title);

}  // namespace oxi
