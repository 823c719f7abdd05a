#include "bench_lines.h"

namespace bench {

const std::vector<BenchLines> &benchLines()
{
    static const std::vector<BenchLines> lines = {
        {"Tagged", protocol::SentenceForm::Tagged, 0,
         {"$C328.1P-0.4R1.2T26.3*3F\r\n",
          "$C12.7P3.25R-10.5T24.9D1.02Mx-0.2341My0.4512Mz-0.8123Ax0.0123Ay-0.0456Az0.9987*1C\r\n",
          "$C0.0P0.0R0.0T-5.5M0.5523Mx0.1Mx0.2My0.3Mz0.4A1.0001G0.12Gx0.01Gy-0.02L12345S0*00\r\n"}},
        {"Prefixed", protocol::SentenceForm::Prefixed, 1 + 2 + 4 + 8 + 64 + 256,
         {"$OHPR,328.1,-0.4,1.2,26.3,x,x,-0.2341,0.4512,-0.8123,x,0.0123,-0.0456,0.9987\r\n",
          "$OHPR,12.7,3.25,-10.5,24.9,x,x,0.1,0.2,0.3,x,0.01,-0.02,1.01\r\n"}},
        {"HeadingOnly", protocol::SentenceForm::HeadingOnly, 0,
         {"$HCHDT,123.4,T*2B\r\n", "$HCHDT,359.9,T*2F\r\n"}},
        {"Bare", protocol::SentenceForm::Bare, (1 << protocol::FieldMask::BitCount) - 1,
         {"328.1,-0.4,1.2,26.3,1.02,0.5523,-0.2341,0.4512,-0.8123,1.0001,0.0123,-0.0456,0.9987,0.12,0.01,-0.02,"
          "12345,0\r\n",
          "12.7,3.25,-10.5,24.9,0.98,0.51,0.1,0.2,0.3,1.0,0.01,-0.02,1.01,0.2,0.1,0.1,12346,1\r\n"}},
    };
    return lines;
}

} // namespace bench
