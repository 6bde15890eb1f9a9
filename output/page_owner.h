#pragma once

namespace tavro {

/// The source of everything a page draws: the main window, with its
/// records, result tables, flags, offer header and notes. The pages reach
/// the window's data through it.
class PageOwner {
public:
    virtual ~PageOwner() = default;
};

} // namespace tavro
