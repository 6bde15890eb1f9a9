#include "product/model/show_options.h"

#include "shell/texts/texts.h"

namespace tavro {

std::string ShownNumber(double value, int decimals, const ShowOptions& options, bool thousands) {
    // 15 significant digits: every figure of the tables shows its decimals.
    return FormatNumber(value, thousands ? ffNumber : ffFixed, 15, decimals, options.separators);
}

std::string ShownText(int n, const ShowOptions& options) {
    return TextIn(n, options.language);
}

} // namespace tavro
