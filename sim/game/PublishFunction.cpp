#include "PublishFunction.h"

#include "framework/Server.h"

namespace game::publish {

void CrashOnNoObject(const std::string& name) {
  framework::CrashServer("game", name,
                         "called on a null object: the game would end in an access violation");
}

}  // namespace game::publish
