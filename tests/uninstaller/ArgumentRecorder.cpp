// Stands in for the removal tool in tests: writes the arguments it was given, one a line, to
// "arguments.txt" in its own folder (written whole, then renamed, so readers never see half).

#include <unistd.h>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0) {
        return 1;
    }
    self.resize(static_cast<std::size_t>(length));
    const std::string folder = self.substr(0, self.rfind('/') + 1);
    {
        std::ofstream out(folder + "arguments.part", std::ios::binary);
        for (int i = 1; i < argc; ++i) {
            out << argv[i] << '\n';
        }
    }
    return std::rename((folder + "arguments.part").c_str(), (folder + "arguments.txt").c_str()) == 0
               ? 0
               : 1;
}
