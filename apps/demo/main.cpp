// The demo. Until the demo form exists it shows the runtime at work: the
// conversions and the error value the control is written against.
#include <iostream>

#include "platform/vb/Convert.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/Error.h"

int main()
{
    std::cout << "Pendrel runtime\n";
    std::cout << "  CInt(2.5) = " << vb::CInt(2.5) << ", CInt(3.5) = " << vb::CInt(3.5) << '\n';
    std::cout << "  CStr(1E+15) = " << vb::CStr(1e15) << ", CStr(0.1) = " << vb::CStr(0.1) << '\n';
    std::cout << "  Val(\" 1 2 . 5e1x\") = " << vb::Val(" 1 2 . 5e1x") << '\n';
    std::cout << "  Now = " << vb::date_text(vb::Now()) << '\n';
    try {
        (void)vb::CInt(32768);
    } catch (const vb::Error& e) {
        std::cout << "  CInt(32768) raises " << e.number() << " (" << e.description() << ")\n";
    }
    return 0;
}
