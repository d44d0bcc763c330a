#include "Platform.hpp"

#include <cstdio>

namespace quoddle::platform {

std::string SystemCallFailure(int code)
{
    if (code == 0)
        return "Un appel à une fonction du système d'exploitation a échoué";
    return "Erreur système.  Code : " + std::to_string(code) + ".\r\n" + SystemErrorText(code);
}

} // namespace quoddle::platform
