#include "export/snirf_hdf5/hdf5_image.h"

#include <atomic>

namespace oxi {
namespace {

// The memory the file grows by at a time.
constexpr std::size_t kGrowBytes = 1 << 20;
// Writing a string converts it through a buffer that the library clears on every write;
// its default megabyte made the short strings of a file most of the file's cost.
constexpr std::size_t kStringConversionBytes = 1 << 12;

// Closes an HDF5 handle of any kind at the end of a scope.
class Handle {
 public:
  explicit Handle(hid_t id) : id_(id) {}
  ~Handle() {
    if (id_ >= 0) H5Idec_ref(id_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  hid_t get() const { return id_; }
  bool ok() const { return id_ >= 0; }

 private:
  hid_t id_;
};

// The library prints its error stack on every failure; ours are reported by result.
void SilenceLibrary() {
  static const bool silenced = [] { return H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr) >= 0; }();
  (void)silenced;
}

// Each in-memory file needs a name of its own while it is open.
std::string FreshName() {
  static std::atomic<unsigned long> counter{0};
  return "oxi-image-" + std::to_string(counter++);
}

}  // namespace

Hdf5Image::Hdf5Image() {
  SilenceLibrary();
  const Handle access(H5Pcreate(H5P_FILE_ACCESS));
  if (!access.ok() || H5Pset_fapl_core(access.get(), kGrowBytes, false) < 0) return;
  file_ = H5Fcreate(FreshName().c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, access.get());
  objectProperties_[0] = H5Pcreate(H5P_GROUP_CREATE);
  objectProperties_[1] = H5Pcreate(H5P_DATASET_CREATE);
  stringTransfer_ = H5Pcreate(H5P_DATASET_XFER);
  ok_ = file_ >= 0 && objectProperties_[0] >= 0 && objectProperties_[1] >= 0 &&
        stringTransfer_ >= 0 &&
        H5Pset_buffer(stringTransfer_, kStringConversionBytes, nullptr, nullptr) >= 0 &&
        H5Pset_obj_track_times(objectProperties_[0], false) >= 0 &&
        H5Pset_obj_track_times(objectProperties_[1], false) >= 0;
}

Hdf5Image::~Hdf5Image() {
  for (hid_t id : {objectProperties_[0], objectProperties_[1], stringTransfer_}) {
    if (id >= 0) H5Pclose(id);
  }
  if (file_ >= 0) H5Fclose(file_);
}

bool Hdf5Image::Check(bool ok) {
  ok_ = ok_ && ok;
  return ok_;
}

void Hdf5Image::Group(const std::string& path) {
  if (!ok_) return;
  const Handle group(
      H5Gcreate2(file_, path.c_str(), H5P_DEFAULT, objectProperties_[0], H5P_DEFAULT));
  Check(group.ok());
}

void Hdf5Image::Dataset(const std::string& path, hid_t type, hid_t space, const void* data,
                        hid_t transfer) {
  if (!Check(space >= 0)) return;
  const Handle dataset(
      H5Dcreate2(file_, path.c_str(), type, space, H5P_DEFAULT, objectProperties_[1], H5P_DEFAULT));
  if (!Check(dataset.ok())) return;
  Check(H5Dwrite(dataset.get(), type, H5S_ALL, H5S_ALL, transfer, data) >= 0);
}

void Hdf5Image::String(const std::string& path, const std::string& value) {
  if (!ok_) return;
  const Handle type(H5Tcopy(H5T_C_S1));
  if (!Check(type.ok() && H5Tset_size(type.get(), H5T_VARIABLE) >= 0 &&
             H5Tset_strpad(type.get(), H5T_STR_NULLTERM) >= 0 &&
             H5Tset_cset(type.get(), H5T_CSET_ASCII) >= 0)) {
    return;
  }
  const Handle space(H5Screate(H5S_SCALAR));
  const char* text = value.c_str();
  Dataset(path, type.get(), space.get(), &text, stringTransfer_);
}

void Hdf5Image::Int(const std::string& path, int value) {
  if (!ok_) return;
  const Handle space(H5Screate(H5S_SCALAR));
  Dataset(path, H5T_NATIVE_INT, space.get(), &value);
}

void Hdf5Image::Doubles(const std::string& path, const std::vector<double>& values) {
  if (!ok_) return;
  const hsize_t size[1] = {values.size()};
  const Handle space(H5Screate_simple(1, size, nullptr));
  Dataset(path, H5T_NATIVE_DOUBLE, space.get(), values.data());
}

void Hdf5Image::Matrix(const std::string& path, const std::vector<double>& values,
                       std::size_t columns) {
  if (!ok_ || !Check(columns > 0 && values.size() % columns == 0)) return;
  const hsize_t size[2] = {values.size() / columns, columns};
  const Handle space(H5Screate_simple(2, size, nullptr));
  Dataset(path, H5T_NATIVE_DOUBLE, space.get(), values.data());
}

std::optional<std::string> Hdf5Image::Bytes() {
  if (!ok_ || !Check(H5Fflush(file_, H5F_SCOPE_GLOBAL) >= 0)) return std::nullopt;
  const ssize_t size = H5Fget_file_image(file_, nullptr, 0);
  if (!Check(size > 0)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!Check(H5Fget_file_image(file_, bytes.data(), bytes.size()) == size)) return std::nullopt;
  return bytes;
}

}  // namespace oxi
