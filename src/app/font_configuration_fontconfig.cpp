#include "app/font_configuration.h"

#include <fontconfig/fontconfig.h>

namespace sw {

// Fontconfig keeps the configuration it reads for the whole process, the toolkit's later
// requests included.
FontConfigurationLoad::FontConfigurationLoad() : m_thread([] { FcInit(); }) {}

} // namespace sw
