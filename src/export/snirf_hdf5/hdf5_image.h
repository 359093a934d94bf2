#pragma once
#include <hdf5.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace oxi {

// An HDF5 file built in memory and handed over as bytes, so that no half-written file
// ever carries its name. Every dataset is written as SNIRF wants it: strings
// variable-length, single values in scalar dataspaces, no modification times (the same
// measurement always gives the same bytes). After any failure every further call does
// nothing and Bytes gives nothing.
class Hdf5Image {
 public:
  Hdf5Image();
  ~Hdf5Image();
  Hdf5Image(const Hdf5Image&) = delete;
  Hdf5Image& operator=(const Hdf5Image&) = delete;

  void Group(const std::string& path);
  void String(const std::string& path, const std::string& value);
  void Int(const std::string& path, int value);
  void Doubles(const std::string& path, const std::vector<double>& values);
  // `values` row after row, `columns` to a row.
  void Matrix(const std::string& path, const std::vector<double>& values, std::size_t columns);

  std::optional<std::string> Bytes();

 private:
  void Dataset(const std::string& path, hid_t type, hid_t space, const void* data,
               hid_t transfer = H5P_DEFAULT);
  bool Check(bool ok);

  hid_t file_ = H5I_INVALID_HID;
  hid_t objectProperties_[2] = {H5I_INVALID_HID, H5I_INVALID_HID};  // group, dataset
  hid_t stringTransfer_ = H5I_INVALID_HID;
  bool ok_ = false;
};

}  // namespace oxi
