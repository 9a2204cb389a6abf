#include "defint.hpp"
#include "standard_console.hpp"

int main() {
    return run_on_standard_console(defint);
}
