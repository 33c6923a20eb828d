#pragma once

#include <functional>
#include <memory>
#include <vector>

// A linear program whose columns may be added while it is being solved, and
// its integer version. The engine's one door to the COIN-OR solvers: CLP for
// the linear program, CBC for the integer one; no other file sees them.
class LinearProgram {
 public:
  struct Entry {
    int row = 0;
    double value = 0.0;
  };

  enum class Status { Optimal, Infeasible, Failed };

  struct IntegerSearch {
    // A row added for the integer search only: coefficients (one per column)
    // times the values at most `upper`.
    struct Row {
      std::vector<double> coefficients;
      double upper = 0.0;
    };
    std::vector<double> costs;  // objective of the integer search, one per column
    std::vector<Row> rows;
    std::vector<double> start;  // a feasible integer solution to start from, or empty
    int maxNodes = 0;           // branch-and-bound nodes; the only effort limit
    // When above 0, every solution's objective is a multiple of it, so a
    // better one is better by at least that much.
    double objectiveStep = 0.0;
    // Asked between nodes; true ends the search with the best solution so far.
    std::function<bool()> stop;
  };

  LinearProgram();
  ~LinearProgram();
  LinearProgram(const LinearProgram&) = delete;
  LinearProgram& operator=(const LinearProgram&) = delete;

  // Rows and columns are numbered from 0 in the order they are added; the
  // objective is minimised.
  int AddRow(double lower, double upper);
  int AddColumn(double cost, double lower, double upper, const std::vector<Entry>& entries);
  void SetColumnBounds(int column, double lower, double upper);
  int RowCount() const;
  int ColumnCount() const;
  double ColumnLower(int column) const;
  double ColumnUpper(int column) const;

  // Solves the linear program from the previous basis.
  Status Solve();
  int LastIterations() const { return lastIterations_; }
  double Objective() const;
  std::vector<double> ColumnValues() const;
  // Dual values: at least 0 on rows held at their lower bound, at most 0 on
  // rows held at their upper bound.
  std::vector<double> RowDuals() const;

  // The best all-integer solution found within the node limit, or empty when
  // none was found. Leaves the linear program as it was.
  std::vector<double> SolveInteger(const IntegerSearch& search) const;

 private:
  struct Solver;
  std::unique_ptr<Solver> solver_;
  bool boundsChanged_ = false;
  int lastIterations_ = 0;
};
