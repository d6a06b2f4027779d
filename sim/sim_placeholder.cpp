// Keeps the library non-empty until the simulator sources arrive.
namespace balancer { namespace sim { int kSimPlaceholder = 0; } }
