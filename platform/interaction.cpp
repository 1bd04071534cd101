#include "platform/interaction.h"

namespace tw {
namespace {

class Silent final : public Interaction {
  public:
    bool ask_yes_no(const char*, const char*) override { return false; }
    void show_message(const char*, const char*) override {}
};

Silent g_silent;
Interaction* g_service = &g_silent;

}  // namespace

Interaction& interaction() {
    return *g_service;
}

void set_interaction(Interaction* service) {
    g_service = service ? service : &g_silent;
}

}  // namespace tw
