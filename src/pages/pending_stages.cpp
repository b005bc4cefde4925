// Stages not written yet; each definition leaves this file when its stage is.
#include "pages/page_stages.h"

namespace docbase {
void intake_texts() {}
void convert_texts() {}
void write_promote_page() {}
void list_and_normalise_pages() {}
void extract_words() {}
}  // namespace docbase
